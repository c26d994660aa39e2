// The collector's lists, counters, allocation, greying, tracing and the
// collection step. Blocks come from the C heap; blocks under 64 bytes are
// kept in per-size caches and never returned to it.
#include "runtime/gc.h"

#include <cstdlib>
#include <new>
#include <vector>

int gc_markbit = 0;
gc_object gc_unmarked_list{gc_object::list_head_tag{}};
gc_object gc_queued_list{gc_object::list_head_tag{}};
gc_object gc_marked_list{gc_object::list_head_tag{}};
gc_object gc_free_list{gc_object::list_head_tag{}};

int gc_new_bytes = 0;
int gc_ext_new_bytes = 0;
int gc_alloced_bytes = 0;
int gc_max_alloced_bytes = 0;
int gc_marked_bytes = 0;
int gc_free_bytes = 0;

namespace {

// Released small blocks, one single-linked list per size class. A released
// block holds no object any more, only the link to the next block.
struct CachedBlock {
    CachedBlock* next;
};
CachedBlock* gc_cache[kGcCachedSizeLimit / 8];

// Blocks handed out by gc_object_alloc whose constructor has not yet run.
// The constructor, not the allocator, links the object, because a
// value-initialising new-expression zero-fills the header between the two.
struct PendingBlock {
    void* block;
    int size;
};
std::vector<PendingBlock>& pending_blocks() {
    static std::vector<PendingBlock> blocks;
    return blocks;
}

struct Root {
    void* slot;
    gc_root_reader read;
};
std::vector<Root>& roots() {
    static std::vector<Root> list;
    return list;
}

void unlink(gc_object* object) {
    object->pred->succ = object->succ;
    object->succ->pred = object->pred;
}

void append(gc_object* list, gc_object* object) {
    object->succ = list;
    object->pred = list->pred;
    list->pred->succ = object;
    list->pred = object;
}

bool list_empty(const gc_object& list) { return list.succ == &list; }

// Moves every object of `from` to the tail of `to`, leaving `from` empty.
void splice_onto(gc_object* to, gc_object* from) {
    if (list_empty(*from)) return;
    gc_object* first = from->succ;
    gc_object* last = from->pred;
    first->pred = to->pred;
    to->pred->succ = first;
    last->succ = to;
    to->pred = last;
    from->succ = from->pred = from;
}

void destroy_pending_garbage(int size) {
    int target = gc_free_bytes - size > 0 ? gc_free_bytes - size : 0;
    while (gc_free_bytes > target) {
        if (list_empty(gc_free_list)) {
            gc_free_bytes = 0;
            return;
        }
        gc_object* object = gc_free_list.succ;
        unlink(object);
        // The size is read while the object still lives; its block is
        // returned once the destructor has run.
        int size = object->gc_size();
        object->~gc_object();
        gc_object_free(object, size);
    }
}

void trace_one() {
    gc_object* object = gc_queued_list.succ;
    unlink(object);
    append(&gc_marked_list, object);
    gc_marked_bytes += object->gc_size();
    object->mark();
}

void trace_all() {
    while (!list_empty(gc_queued_list)) trace_one();
}

void finish_cycle() {
    __atomic_store_n(&gc_ext_new_bytes, 0, __ATOMIC_SEQ_CST);
    trace_all();
    if (!list_empty(gc_unmarked_list)) {
        gc_free_bytes += gc_alloced_bytes - gc_marked_bytes;
        splice_onto(&gc_free_list, &gc_unmarked_list);
    }
    gc_alloced_bytes = gc_marked_bytes;
    splice_onto(&gc_unmarked_list, &gc_marked_list);
    gc_marked_bytes = 0;
    gc_markbit ^= 1;  // survivors are white again without being touched
    gc_mark();
    gc_new_bytes = 0;
}

}  // namespace

gc_object::gc_object() {
    auto& blocks = pending_blocks();
    for (size_t i = blocks.size(); i-- > 0;) {
        if (blocks[i].block != this) continue;
        flags = gc_markbit | blocks[i].size;
        blocks.erase(blocks.begin() + static_cast<long>(i));
        append(&gc_unmarked_list, this);
        return;
    }
    // Not from gc_object_alloc (a local or static object): never collected.
    flags = 3;
    succ = pred = nullptr;
}

gc_object::gc_object(permanent_tag) : succ(nullptr), pred(nullptr), flags(3) {}

gc_object::gc_object(list_head_tag) : succ(this), pred(this), flags(3) {}

void* gc_object::operator new(size_t size) { return gc_object_alloc(size); }

void* gc_object::operator new(size_t size, size_t extra_bytes) {
    return gc_object_alloc(size + extra_bytes);
}

// Reached only when a constructor throws. Objects are destroyed by the
// collector, never deleted; a block whose constructor did not get as far as
// linking it is simply given back.
void gc_object::operator delete(void* block) {
    auto& blocks = pending_blocks();
    for (size_t i = blocks.size(); i-- > 0;) {
        if (blocks[i].block != block) continue;
        gc_new_bytes -= blocks[i].size;
        gc_alloced_bytes -= blocks[i].size;
        blocks.erase(blocks.begin() + static_cast<long>(i));
        std::free(block);
        return;
    }
    // A base constructor linked it before a later one threw: the object stays
    // on its list and the collector reclaims it like any garbage.
}

void gc_object::operator delete(void* block, size_t) { gc_object::operator delete(block); }

void* gc_object_alloc(size_t requested) {
    int size = static_cast<int>((requested + 7) & ~size_t{7});
    destroy_pending_garbage(size);
    void* block = nullptr;
    if (size < kGcCachedSizeLimit && gc_cache[size / 8]) {
        CachedBlock* cached = gc_cache[size / 8];
        gc_cache[size / 8] = cached->next;
        block = cached;
    } else {
        block = std::malloc(static_cast<size_t>(size));
        if (!block) throw std::bad_alloc();
    }
    pending_blocks().push_back({block, size});
    gc_new_bytes += size;
    gc_alloced_bytes += size;
    if (gc_alloced_bytes > gc_max_alloced_bytes) gc_max_alloced_bytes = gc_alloced_bytes;
    return block;
}

void gc_object_free(void* block, int size) {
    gc_free_bytes -= size;
    if (size >= kGcCachedSizeLimit) {
        std::free(block);
        return;
    }
    gc_cache[size / 8] = new (block) CachedBlock{gc_cache[size / 8]};
}

int gc_ext_malloced(int bytes) {
    __atomic_fetch_add(&gc_ext_new_bytes, bytes, __ATOMIC_SEQ_CST);
    return bytes;
}

void gc_grey(gc_object* object) {
    object->flags ^= 1;
    unlink(object);
    append(&gc_queued_list, object);
}

void gc_add_root(void* slot, gc_root_reader reader) {
    for (const Root& root : roots())
        if (root.slot == slot) return;
    roots().push_back({slot, reader});
}

void gc_init_lists() {
    for (gc_object* list : {&gc_unmarked_list, &gc_queued_list, &gc_marked_list, &gc_free_list})
        list->succ = list->pred = list;
}

void gc_mark() {
    for (const Root& root : roots()) gc_mark_q(root.read(root.slot));
}

void gc_collect_step(gc_object* extra_root) {
    gc_mark_q(extra_root);
    if (int64_t{gc_ext_new_bytes} + gc_new_bytes > kGcCycleBytes) {
        finish_cycle();
        return;
    }
    int64_t older = gc_alloced_bytes - gc_new_bytes;
    int target = gc_new_bytes + static_cast<int>(older * gc_new_bytes / kGcCycleBytes);
    while (gc_marked_bytes < target && !list_empty(gc_queued_list)) trace_one();
}

bool gc_is_live_object(const void* address) {
    for (const gc_object* list : {&gc_unmarked_list, &gc_queued_list, &gc_marked_list}) {
        for (const gc_object* o = list->succ; o != list; o = o->succ)
            if (o == address) return true;
    }
    return false;
}
