// Geometry value types: the rectangle operations the program uses, and point/size arithmetic.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

namespace {

TEST(ValueTypes, RectOperations)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));  // right and bottom edges are outside
    CRect d = r;
    d.DeflateRect(5, 10);
    EXPECT_EQ(CRect(15, 30, 105, 60), d);
    d.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(14, 28, 108, 64), d);
    d.OffsetRect(-14, -28);
    EXPECT_EQ(CPoint(0, 0), d.TopLeft());
    CRect i;
    EXPECT_TRUE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(CRect(5, 5, 10, 10), i);
    EXPECT_FALSE(i.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(i.IsRectEmpty());
    EXPECT_TRUE(i.IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    CRect u = CRect(0, 0, 1, 1) | CRect(5, 5, 6, 6);
    EXPECT_EQ(CRect(0, 0, 6, 6), u);
    CRect n(10, 10, 0, 0);
    n.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), n);
    n.MoveToXY(3, 4);
    EXPECT_EQ(CRect(3, 4, 13, 14), n);
    EXPECT_EQ(CRect(4, 6, 14, 16), n + CPoint(1, 2));
}

TEST(ValueTypes, PointAndSize)
{
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(CPoint(4, 5), p);
    EXPECT_EQ(CSize(3, 3), p - CPoint(1, 2));
    EXPECT_EQ(CPoint(-4, -5), -p);
    CPoint packed(static_cast<LPARAM>(MAKELPARAM(-3, 7)));
    EXPECT_EQ(CPoint(-3, 7), packed);
    CSize s(2, 3);
    EXPECT_EQ(CSize(4, 6), s + s);
    EXPECT_TRUE(s != CSize(3, 2));
}

}  // namespace
