#include "PtrList.h"

#include <gtest/gtest.h>

namespace {

// Counts destructions so that ownership can be seen.
struct Tracked {
    static int alive;
    int value;
    explicit Tracked(int v) : value(v) { ++alive; }
    ~Tracked() { --alive; }
};
int Tracked::alive = 0;

class PtrListTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::alive = 0; }
    void TearDown() override { EXPECT_EQ(Tracked::alive, 0); }
};

std::vector<int> walk(PtrList<Tracked>& list)
{
    std::vector<int> values;
    for (list.toFirst(); !list.atEnd(); list.toNext())
        values.push_back(list.current()->value);
    return values;
}

TEST_F(PtrListTest, PositionsAreOneBasedAndShortListsGiveNull)
{
    PtrList<Tracked> list;
    EXPECT_EQ(list.at(1), nullptr);
    for (int i = 1; i <= 3; ++i)
        list.append(new Tracked(i));
    EXPECT_EQ(list.at(0)->value, 1);
    EXPECT_EQ(list.at(1)->value, 1);
    EXPECT_EQ(list.at(3)->value, 3);
    EXPECT_EQ(list.at(4), nullptr);
    EXPECT_EQ(list.current()->value, 1); // the cursor was left on the first node
}

TEST_F(PtrListTest, CursorOnFirstAppendOnlyAndStepsStopAtEnd)
{
    PtrList<Tracked> list;
    list.append(new Tracked(1));
    EXPECT_EQ(list.current()->value, 1);
    list.append(new Tracked(2));
    EXPECT_EQ(list.current()->value, 1);
    list.toNext();
    list.toNext();
    EXPECT_TRUE(list.atEnd());
    list.toNext();
    EXPECT_TRUE(list.atEnd());
    list.append(new Tracked(3));
    EXPECT_TRUE(list.atEnd()); // appending to a list whose cursor is at end leaves it there
    EXPECT_EQ(walk(list), (std::vector<int>{1, 2, 3}));
}

TEST_F(PtrListTest, RemovingKeepsTheLinksWhole)
{
    PtrList<Tracked> list;
    list.append(new Tracked(1));
    list.removeCurrent(); // the only node
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(list.atEnd());
    EXPECT_EQ(list.at(1), nullptr);
    list.append(new Tracked(2)); // works as on a fresh list
    EXPECT_EQ(list.current()->value, 2);

    list.append(new Tracked(3));
    list.append(new Tracked(4));
    list.at(3);
    list.removeCurrent(); // the last node: its predecessor becomes last
    EXPECT_EQ(list.current()->value, 3);
    list.append(new Tracked(5));
    EXPECT_EQ(walk(list), (std::vector<int>{2, 3, 5}));

    list.at(2);
    list.removeCurrent(); // a middle node
    EXPECT_EQ(walk(list), (std::vector<int>{2, 5}));
    list.at(1);
    list.removeCurrent(); // the head, as the file queue does
    EXPECT_TRUE(list.atEnd());
    EXPECT_EQ(walk(list), (std::vector<int>{5}));
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(Tracked::alive, 1);
}

TEST_F(PtrListTest, DisownedListsFreeNodesOnlyAndClearKeepsTheFlag)
{
    PtrList<Tracked> owner;
    PtrList<Tracked> borrower;
    borrower.disownItems();
    for (int i = 0; i < 3; ++i) {
        auto* item = new Tracked(i);
        owner.append(item);
        borrower.append(item);
    }
    borrower.at(1);
    borrower.removeCurrent();
    borrower.clear();
    EXPECT_EQ(Tracked::alive, 3);
    EXPECT_FALSE(borrower.ownsItems());
    EXPECT_EQ(walk(owner), (std::vector<int>{0, 1, 2}));

    owner.clear();
    EXPECT_EQ(Tracked::alive, 0);
    EXPECT_TRUE(owner.ownsItems());
    EXPECT_EQ(owner.count(), 0);

    owner.append(nullptr); // null items are never freed
    owner.append(new Tracked(9), 0); // nor items appended as not owned
    Tracked* notOwned = owner.at(2);
    owner.purge();
    EXPECT_EQ(Tracked::alive, 1);
    delete notOwned;
}

} // namespace
