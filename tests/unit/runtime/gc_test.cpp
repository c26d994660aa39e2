// The collector: what survives a cycle, when garbage is destroyed, the write
// barrier during incremental marking, and that memory stays bounded.
#include <gtest/gtest.h>

#include "runtime/array.h"
#include "runtime/object.h"

namespace {

int destroyed = 0;

struct Node : Object {
    Array<Node*> children{2};
    ~Node() override { ++destroyed; }
    void mark() override { gc_mark_q(children); }
};

Node* root = nullptr;

// Ends the current cycle at once, as 8 MiB of outside allocations would.
void finish_cycle(gc_object* extra = nullptr) { gc_ext_malloced(kGcCycleBytes + 1), gc_collect_step(extra); }

// One allocation larger than all pending garbage destroys all of it.
void destroy_all_garbage() { Array<int> sweep(gc_free_bytes / 4 + 16); }

class CollectorTest : public testing::Test {
protected:
    void SetUp() override {
        gc_root(root);
        gc_assign(root, new Node());
        for (int cycle = 0; cycle < 2; ++cycle) finish_cycle();
        destroy_all_garbage();
        destroyed = 0;
    }
};

TEST_F(CollectorTest, ReachableObjectsSurviveEveryCycleAndGarbageGoesAtALaterAllocation) {
    Node* kept[] = {new Node(), new Node(), new Node()};  // by the root, by a kept node, as a step's root
    gc_assign(root->children[0], kept[0]);
    gc_assign(kept[0]->children[1], kept[1]);
    new Node();  // garbage from birth
    for (int cycle = 0; cycle < 3; ++cycle) finish_cycle(kept[2]);
    EXPECT_EQ(destroyed, 0);
    destroy_all_garbage();
    EXPECT_EQ(destroyed, 1);
    for (Node* node : kept) EXPECT_TRUE(gc_is_live_object(node));
}

TEST_F(CollectorTest, StoreIntoATracedObjectSurvivesOnlyThroughTheBarrier) {
    for (bool barrier : {true, false}) {
        gc_collect_step(new Node());  // a step after an allocation traces the root
        Node* stored = new Node();
        barrier ? gc_assign(root->children[0], stored) : void(root->children[0] = stored);
        finish_cycle();
        EXPECT_EQ(gc_is_live_object(stored), barrier);
    }
}

TEST_F(CollectorTest, EveryEmptyArrayIsTheOnePermanentOneAndAReleasedSmallBlockIsReusedFirst) {
    EXPECT_EQ(Array<int>(0).rep(), Array<int>().rep());
    void* block = Array<int>(2).rep();
    finish_cycle();
    destroy_all_garbage();
    EXPECT_EQ(Array<int>(2).rep(), block);
}

TEST_F(CollectorTest, AllocatingAndDroppingForALongTimeKeepsMemoryBounded) {
    for (int i = 0; i < 200000; ++i) {
        Array<int> scratch(256);
        gc_collect_step(new Node());
        ASSERT_LT(gc_alloced_bytes + gc_free_bytes, 3 * kGcCycleBytes) << "after " << i << " rounds";
    }
    EXPECT_GT(destroyed, 100000);
}

}  // namespace
