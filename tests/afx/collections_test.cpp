#include <gtest/gtest.h>

#include <vector>

#include "afx.h"

namespace {

template <class A>
std::vector<int> Items(const A& a) {
  std::vector<int> v;
  for (INT_PTR i = 0; i < a.GetSize(); ++i) v.push_back(static_cast<int>(a[i]));
  return v;
}

void Fill(CDWordArray& a, std::initializer_list<DWORD> v) {
  a.RemoveAll();
  for (DWORD x : v) a.Add(x);
}

TEST(CArray, AddSetSizeAndBounds) {
  CWordArray a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(-1, a.GetUpperBound());
  EXPECT_EQ(0, a.Add(7));
  EXPECT_EQ(1, a.Add(8));
  EXPECT_EQ(2, a.GetSize());
  EXPECT_EQ(1, a.GetUpperBound());
  a.SetSize(4);
  EXPECT_EQ((std::vector<int>{7, 8, 0, 0}), Items(a)) << "new elements are zero";
  a.SetSize(1);
  EXPECT_EQ((std::vector<int>{7}), Items(a));
  a.SetAt(0, 9);
  EXPECT_EQ(9, a.GetAt(0));
  a.ElementAt(0) = 10;
  EXPECT_EQ(10, a[0]);
}

TEST(CArray, InsertAtInsideAndPastTheEnd) {
  struct Case {
    const char* name;
    INT_PTR index;
    DWORD value;
    INT_PTR count;
    std::vector<int> out;
  } cases[] = {
      {"front", 0, 9, 1, {9, 1, 2, 3}},
      {"middle", 1, 9, 2, {1, 9, 9, 2, 3}},
      {"last", 2, 9, 1, {1, 2, 9, 3}},
      {"at the end", 3, 9, 1, {1, 2, 3, 9}},
      {"past the end pads with zeros", 5, 9, 2, {1, 2, 3, 0, 0, 9, 9}},
      {"no elements", 1, 9, 0, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    CDWordArray a;
    Fill(a, {1, 2, 3});
    a.InsertAt(c.index, c.value, c.count);
    EXPECT_EQ(c.out, Items(a)) << c.name;
  }
  CDWordArray a;
  Fill(a, {1, 2, 3});
  a.InsertAt(0, a[2]);  // the element lives in the array that grows
  EXPECT_EQ((std::vector<int>{3, 1, 2, 3}), Items(a));
}

TEST(CArray, InsertAtOfAnArray) {
  CDWordArray a, b;
  Fill(a, {1, 2});
  Fill(b, {7, 8});
  a.InsertAt(1, &b);
  EXPECT_EQ((std::vector<int>{1, 7, 8, 2}), Items(a));
  a.InsertAt(6, &b);
  EXPECT_EQ((std::vector<int>{1, 7, 8, 2, 0, 0, 7, 8}), Items(a));
  Fill(a, {1, 2});
  a.InsertAt(0, &a);
  EXPECT_EQ((std::vector<int>{1, 2, 1, 2}), Items(a)) << "inserting an array into itself";
  CDWordArray empty;
  a.InsertAt(1, &empty);
  EXPECT_EQ(4, a.GetSize());
}

TEST(CArray, RemoveAtSetAtGrowAndGetData) {
  struct Case {
    INT_PTR index, count;
    std::vector<int> out;
  } removes[] = {{0, 1, {2, 3, 4}}, {1, 2, {1, 4}}, {3, 1, {1, 2, 3}}, {0, 4, {}}, {2, 0, {1, 2, 3, 4}}};
  for (const Case& c : removes) {
    CDWordArray a;
    Fill(a, {1, 2, 3, 4});
    a.RemoveAt(c.index, c.count);
    EXPECT_EQ(c.out, Items(a)) << c.index << "+" << c.count;
  }

  CDWordArray a;
  EXPECT_EQ(nullptr, a.GetData()) << "no storage while empty";
  a.SetAtGrow(3, 5);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 5}), Items(a));
  a.SetAtGrow(1, 6);
  EXPECT_EQ((std::vector<int>{0, 6, 0, 5}), Items(a));
  ASSERT_NE(nullptr, a.GetData());
  EXPECT_EQ(6u, a.GetData()[1]);
  a.RemoveAll();
  EXPECT_EQ(nullptr, a.GetData());
  const CDWordArray& ca = a;
  EXPECT_EQ(nullptr, ca.GetData());
}

TEST(CArray, CopyAppendAndTypedArrays) {
  CDWordArray a, b;
  Fill(a, {1, 2});
  Fill(b, {3});
  EXPECT_EQ(2, a.Append(b));
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Items(a));
  b.Copy(a);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Items(b));
  b.Copy(b);
  EXPECT_EQ(3, b.GetSize());
  EXPECT_EQ(3, b.Append(b));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 1, 2, 3}), Items(b)) << "appending an array to itself";

  CStringArray s;
  s.Add("x");
  s.InsertAt(0, CString("w"));
  s.SetAtGrow(3, "z");
  ASSERT_EQ(4, s.GetSize());
  EXPECT_EQ(CString("w"), s[0]);
  EXPECT_EQ(CString("x"), s[1]);
  EXPECT_TRUE(s[2].IsEmpty());
  EXPECT_EQ(CString("z"), s[3]);

  CPointArray pts;
  pts.Add(CPoint(1, 2));
  pts.InsertAt(0, CPoint(3, 4));
  EXPECT_EQ(CPoint(3, 4), pts[0]);
  EXPECT_EQ(CPoint(1, 2), pts[1]);

  CByteArray bytes;
  bytes.SetSize(3);
  EXPECT_EQ(0, bytes[2]);
}

// Walks the list both ways and checks that the two walks agree.
std::vector<int> Walk(CList<int, int>& l) {
  std::vector<int> fwd, back;
  for (POSITION p = l.GetHeadPosition(); p;) fwd.push_back(l.GetNext(p));
  for (POSITION p = l.GetTailPosition(); p;) back.insert(back.begin(), l.GetPrev(p));
  EXPECT_EQ(fwd, back) << "forward and backward walks differ";
  EXPECT_EQ(static_cast<INT_PTR>(fwd.size()), l.GetCount());
  return fwd;
}

TEST(CList, AddHeadAddTailAndIterate) {
  CList<int, int> l;
  EXPECT_TRUE(l.IsEmpty());
  EXPECT_EQ(nullptr, l.GetHeadPosition());
  l.AddTail(2);
  l.AddHead(1);
  l.AddTail(3);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Walk(l));
  EXPECT_EQ(1, l.GetHead());
  EXPECT_EQ(3, l.GetTail());
  EXPECT_EQ(1, l.RemoveHead());
  EXPECT_EQ(3, l.RemoveTail());
  EXPECT_EQ((std::vector<int>{2}), Walk(l));
  EXPECT_EQ(2, l.RemoveTail());
  EXPECT_EQ((std::vector<int>{}), Walk(l));
  EXPECT_EQ(nullptr, l.GetTailPosition());
}

TEST(CList, InsertBeforeAndAfter) {
  struct Case {
    const char* name;
    int at;       // index of the position, -1 for a null position
    bool before;
    std::vector<int> out;
  } cases[] = {
      {"before head", 0, true, {9, 1, 2, 3}},   {"before middle", 1, true, {1, 9, 2, 3}},
      {"before tail", 2, true, {1, 2, 9, 3}},   {"after head", 0, false, {1, 9, 2, 3}},
      {"after tail", 2, false, {1, 2, 3, 9}},   {"before null is the head", -1, true, {9, 1, 2, 3}},
      {"after null is the tail", -1, false, {1, 2, 3, 9}},
  };
  for (const Case& c : cases) {
    CList<int, int> l;
    for (int v : {1, 2, 3}) l.AddTail(v);
    POSITION at = c.at < 0 ? nullptr : l.FindIndex(c.at);
    POSITION got = c.before ? l.InsertBefore(at, 9) : l.InsertAfter(at, 9);
    EXPECT_EQ(c.out, Walk(l)) << c.name;
    EXPECT_EQ(9, l.GetAt(got)) << c.name;
  }
  CList<int, int> empty;
  empty.InsertAfter(nullptr, 5);
  empty.InsertBefore(nullptr, 4);
  EXPECT_EQ((std::vector<int>{4, 5}), Walk(empty));
}

TEST(CList, RemoveAtFindIndexAndFind) {
  for (int i = 0; i < 4; ++i) {
    CList<int, int> l;
    for (int v : {10, 11, 12, 13}) l.AddTail(v);
    l.RemoveAt(l.FindIndex(i));
    std::vector<int> want = {10, 11, 12, 13};
    want.erase(want.begin() + i);
    EXPECT_EQ(want, Walk(l)) << "remove " << i;
  }
  CList<int, int> l;
  for (int v : {5, 6, 5}) l.AddTail(v);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(i == 1 ? 6 : 5, l.GetAt(l.FindIndex(i))) << i;
  EXPECT_EQ(nullptr, l.FindIndex(3));
  EXPECT_EQ(nullptr, l.FindIndex(-1));
  POSITION first = l.Find(5);
  EXPECT_EQ(l.FindIndex(0), first);
  EXPECT_EQ(l.FindIndex(2), l.Find(5, first)) << "the search starts after the position";
  EXPECT_EQ(nullptr, l.Find(7));
  l.SetAt(first, 4);
  EXPECT_EQ((std::vector<int>{4, 6, 5}), Walk(l));
  l.RemoveAll();
  EXPECT_EQ(0, l.GetCount());
  EXPECT_EQ(nullptr, l.GetHeadPosition());
}

struct Node {
  int v;
};

TEST(CTypedPtrList, IteratesTypedPointers) {
  Node a{1}, b{2}, c{3};
  CTypedPtrList<CPtrList, Node*> l;
  l.AddTail(&b);
  l.AddHead(&a);
  l.AddTail(&c);
  std::vector<int> fwd;
  for (POSITION p = l.GetHeadPosition(); p;) fwd.push_back(l.GetNext(p)->v);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), fwd);
  std::vector<int> back;
  for (POSITION p = l.GetTailPosition(); p;) back.push_back(l.GetPrev(p)->v);
  EXPECT_EQ((std::vector<int>{3, 2, 1}), back);
  EXPECT_EQ(&a, l.GetHead());
  EXPECT_EQ(&c, l.GetTail());
  POSITION pb = l.Find(&b);
  ASSERT_NE(nullptr, pb);
  EXPECT_EQ(&b, l.GetAt(pb));
  l.RemoveAt(pb);
  EXPECT_EQ(&c, l.RemoveTail());
  EXPECT_EQ(&a, l.RemoveHead());
  EXPECT_TRUE(l.IsEmpty());
}

}  // namespace
