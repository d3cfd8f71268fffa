// Run-time class information: names, sizes, the base chain, IsKindOf,
// creation by name and the classes that are not creatable.
#include <gtest/gtest.h>

#include <memory>

#include "afx.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
 public:
  int m_nSides = 0;
};

class CSquare : public CShape {
  DECLARE_DYNCREATE(CSquare)
 public:
  CSquare() { m_nSides = 4; }
  double m_side = 1.0;
};

class CTriangle : public CShape {
  DECLARE_DYNCREATE(CTriangle)
 public:
  CTriangle() { m_nSides = 3; }
};

class CLoose : public CObject {
  DECLARE_DYNAMIC(CLoose)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CSquare, CShape)
IMPLEMENT_DYNCREATE(CTriangle, CShape)
IMPLEMENT_DYNAMIC(CLoose, CObject)

TEST(RuntimeClass, RecordsCarryTheNameSizeAndBase) {
  const CRuntimeClass* sq = RUNTIME_CLASS(CSquare);
  EXPECT_STREQ(sq->m_lpszClassName, "CSquare");
  EXPECT_EQ(sq->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
  EXPECT_EQ(sq->m_wSchema, 0xFFFFu);
  EXPECT_EQ(sq->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_EQ(RUNTIME_CLASS(CShape)->m_pBaseClass, RUNTIME_CLASS(CObject));
  EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
  EXPECT_STREQ(RUNTIME_CLASS(CObject)->m_lpszClassName, "CObject");
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain) {
  CSquare square;
  CObject* o = &square;
  EXPECT_EQ(o->GetRuntimeClass(), RUNTIME_CLASS(CSquare));
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(o->IsKindOf(RUNTIME_CLASS(CTriangle)));
  EXPECT_FALSE(o->IsKindOf(RUNTIME_CLASS(CLoose)));
  CLoose loose;
  EXPECT_EQ(loose.GetRuntimeClass(), RUNTIME_CLASS(CLoose));
  EXPECT_FALSE(loose.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(o->IsKindOf(nullptr));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
  EXPECT_FALSE(o->IsSerializable());
}

TEST(RuntimeClass, DynamicDowncastRefusesOtherKinds) {
  CTriangle tri;
  CObject* o = &tri;
  EXPECT_EQ(DYNAMIC_DOWNCAST(CTriangle, o), &tri);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, o), static_cast<CShape*>(&tri));
  EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, o), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(RuntimeClass, CreatableClassesAreMadeByName) {
  struct Case {
    const char* name;
    int sides;
  };
  const Case cases[] = {{"CSquare", 4}, {"CTriangle", 3}};
  for (const Case& c : cases) {
    CRuntimeClass* rc = CRuntimeClass::FromName(c.name);
    ASSERT_NE(rc, nullptr) << c.name;
    EXPECT_STREQ(rc->m_lpszClassName, c.name);
    std::unique_ptr<CObject> o(rc->CreateObject());
    ASSERT_NE(o, nullptr) << c.name;
    EXPECT_EQ(o->GetRuntimeClass(), rc) << c.name;
    EXPECT_EQ(static_cast<CShape*>(o.get())->m_nSides, c.sides) << c.name;
    std::unique_ptr<CObject> o2(CRuntimeClass::CreateObject(c.name));
    ASSERT_NE(o2, nullptr) << c.name;
    EXPECT_TRUE(o2->IsKindOf(RUNTIME_CLASS(CShape))) << c.name;
  }
}

TEST(RuntimeClass, DynamicOnlyClassesAreKnownButNotCreatable) {
  CRuntimeClass* rc = CRuntimeClass::FromName("CShape");
  ASSERT_EQ(rc, RUNTIME_CLASS(CShape));
  SetLastError(0);
  EXPECT_EQ(rc->CreateObject(), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(CRuntimeClass::CreateObject("CLoose"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
}

TEST(RuntimeClass, UnknownNamesFindNothing) {
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("csquare"), nullptr);  // names compare exactly
  EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
}

}  // namespace
