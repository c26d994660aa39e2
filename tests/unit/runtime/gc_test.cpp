// The collector: what survives a cycle, when garbage is destroyed, and that
// memory stays bounded.
#include <gtest/gtest.h>

#include <set>

#include "runtime/array.h"
#include "runtime/object.h"

namespace {

int destroyed = 0;
std::set<int> destroyed_ids;
int next_id = 0;

class Node : public Object {
public:
    Node* child = nullptr;
    int id = ++next_id;
    ~Node() override {
        ++destroyed;
        destroyed_ids.insert(id);
    }
    void mark() override { gc_mark_q(child); }
};

bool was_destroyed(int id) { return destroyed_ids.count(id) > 0; }

// One allocation larger than all pending garbage destroys all of it.
void destroy_all_garbage() { Array<int> sweep(gc_free_bytes / 4 + 16); }

Node* root_node = nullptr;

// Ends the current cycle at once, as 8 MiB of outside allocations would.
void finish_cycle() {
    gc_ext_malloced(kGcCycleBytes + 1);
    gc_collect_step(nullptr);
}

bool on_list(const gc_object& list, const void* object) {
    for (const gc_object* o = list.succ; o != &list; o = o->succ)
        if (o == object) return true;
    return false;
}

class CollectorTest : public testing::Test {
protected:
    void SetUp() override {
        gc_root(root_node);
        gc_assign(root_node, new Node());
        finish_cycle();
        finish_cycle();
        destroy_all_garbage();
        destroyed = 0;
    }
    void TearDown() override { root_node = nullptr; }

    // Traces the root (and a little more) without ending the cycle.
    void trace_a_little() {
        delete_later = new Node();  // some allocation gives the step a marking target
        gc_collect_step(nullptr);
    }
    Node* delete_later = nullptr;
};

TEST_F(CollectorTest, ObjectStoredIntoTracedObjectSurvivesOnlyThroughTheBarrier) {
    trace_a_little();
    ASSERT_TRUE(on_list(gc_marked_list, root_node)) << "the root should be traced (black) by now";

    Node* kept = new Node();
    gc_assign(root_node->child, kept);
    finish_cycle();
    new Node();  // destroys pending garbage
    EXPECT_TRUE(gc_is_live_object(kept));

    // The same store without the barrier loses the object.
    trace_a_little();
    ASSERT_TRUE(on_list(gc_marked_list, root_node));
    Node* lost = new Node();
    root_node->child = lost;
    finish_cycle();
    EXPECT_FALSE(gc_is_live_object(lost));
    root_node->child = nullptr;
}

TEST_F(CollectorTest, GarbageIsDestroyedByALaterAllocationNotAtTheSweep) {
    int garbage = (new Node())->id;  // unreachable from birth
    finish_cycle();
    EXPECT_FALSE(was_destroyed(garbage));
    EXPECT_GT(gc_free_bytes, 0);
    destroy_all_garbage();
    EXPECT_TRUE(was_destroyed(garbage));
    EXPECT_EQ(gc_free_bytes, 0);
}

TEST_F(CollectorTest, ReleasedSmallBlockIsReusedFirst) {
    Node* first = new Node();
    ASSERT_LT(first->gc_size(), kGcCachedSizeLimit);
    void* block = first;
    finish_cycle();
    destroy_all_garbage();  // `first` was the last small object to go
    Node* second = new Node();
    EXPECT_EQ(static_cast<void*>(second), block);
}

TEST_F(CollectorTest, EmptyArraysArePermanent) {
    Array<int> empty;
    Array<Node*> emptyNodes(0);
    for (gc_object* rep : {static_cast<gc_object*>(empty.rep()), static_cast<gc_object*>(emptyNodes.rep())}) {
        gc_mark_q(rep);
        EXPECT_EQ(rep->flags, 3);
        EXPECT_EQ(rep->succ, nullptr);
    }
    finish_cycle();
    finish_cycle();
    EXPECT_EQ(empty.rep()->flags, 3);
    EXPECT_EQ(Array<int>().rep(), empty.rep());
}

TEST_F(CollectorTest, CycleEndsOnceEightMebibytesWereAllocatedIncludingOutsideMemory) {
    int colour = gc_markbit;
    gc_ext_malloced(kGcCycleBytes - gc_new_bytes - 1024);
    gc_collect_step(nullptr);
    EXPECT_EQ(gc_markbit, colour);
    Array<int> big(512);  // 2 KiB more tips it over
    gc_collect_step(nullptr);
    EXPECT_NE(gc_markbit, colour);
    EXPECT_EQ(gc_ext_new_bytes, 0);
}

TEST_F(CollectorTest, ArrayOfObjectsKeepsItsElementsAlive) {
    Array<Node*> nodes(3);
    for (int i = 0; i < 3; ++i) gc_assign(nodes[i], new Node());
    // Keep the array reachable through a root of its own.
    static Array<Node*>::Rep* kept;
    gc_root(kept);
    gc_assign(kept, nodes.rep());
    finish_cycle();
    finish_cycle();
    destroy_all_garbage();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(gc_is_live_object(nodes[i]));
        EXPECT_FALSE(was_destroyed(nodes[i]->id));
    }
    kept = nullptr;
}

TEST_F(CollectorTest, AllocatingAndDroppingForALongTimeKeepsMemoryBounded) {
    for (int i = 0; i < 200000; ++i) {
        Array<int> scratch(256);
        scratch[0] = i;
        new Node();
        gc_collect_step(nullptr);
        ASSERT_LT(gc_alloced_bytes + gc_free_bytes, 3 * kGcCycleBytes) << "after " << i << " rounds";
    }
    EXPECT_GT(destroyed, 100000);
}

}  // namespace
