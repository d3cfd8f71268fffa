// CKyFSLArrangePasteDlg: the "Arrange Paste" dialog (template 4902) that asks
// where the editor's Arrange paste lays the copied block: the start point
// and the spacing of the staggered copy. It has no buttons: Enter and Escape
// close it, and the values are read back from the controls when the window
// is destroyed, so Escape delivers them too.
#pragma once

#include "afxwin.h"

class CKyFSLArrangePasteDlg : public CDialog {
 public:
  explicit CKyFSLArrangePasteDlg(CWnd* pParent = nullptr);

  static constexpr UINT kMaxCoordinate = 200;
  static constexpr UINT kMaxSpace = 500;

  // In pattern pixels; all start at 0.
  UINT m_nXCoordinate = 0;
  UINT m_nYCoordinate = 0;
  UINT m_nXSpace = 0;
  UINT m_nYSpace = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Enter: the values are validated (a value out of range is reported and
  // the dialog stays); Escape closes without validation.
  void OnOK() override;
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // Takes one edit's value when it is a number within 0..maxValue; a value
  // that is not keeps the field as it was.
  void ReadBack(int id, UINT& field, UINT maxValue);
};
