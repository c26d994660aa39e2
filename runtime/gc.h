// The incremental collector. Every class instance and array representation
// lives in collected memory: objects are born white on the unmarked list,
// greyed when reached (a root, a traced field, or a store through gc_assign),
// traced a few at a time after every call from the host into the game, and
// destroyed lazily by later allocations once a finished cycle found them white.
// Single-threaded: collection runs only between calls into the game, so no
// collected object is ever referenced only from a local variable while it runs.
#pragma once

#include <cstddef>
#include <cstdint>

class gc_object {
public:
    gc_object* succ;
    gc_object* pred;
    int flags;  // rounded size above the low three bits, colour in bit 0; 3 = permanent

    // Links the block that operator new just handed out into the unmarked list.
    gc_object();
    struct permanent_tag {};
    explicit gc_object(permanent_tag);  // static objects the collector never moves or frees
    struct list_head_tag {};
    explicit gc_object(list_head_tag);  // a list head: an empty circular list
    gc_object(const gc_object&) = delete;
    gc_object& operator=(const gc_object&) = delete;
    virtual ~gc_object() {}
    virtual void mark() {}

    static void* operator new(size_t size);
    static void* operator new(size_t size, size_t extra_bytes);  // inline array elements
    static void operator delete(void* block);
    static void operator delete(void* block, size_t extra_bytes);

    int gc_size() const { return flags & ~7; }
};

// Interfaces of collected classes derive from this; the object behind an
// interface pointer is found with dynamic_cast<gc_object*>.
class gc_interface {
public:
    virtual ~gc_interface() {}
};

extern int gc_markbit;
extern gc_object gc_unmarked_list;
extern gc_object gc_queued_list;
extern gc_object gc_marked_list;
extern gc_object gc_free_list;

extern int gc_new_bytes;
extern int gc_ext_new_bytes;
extern int gc_alloced_bytes;
extern int gc_max_alloced_bytes;
extern int gc_marked_bytes;
extern int gc_free_bytes;

constexpr int kGcCycleBytes = 8388608;  // a cycle is finished once this much was allocated in it
constexpr int kGcCachedSizeLimit = 64;  // blocks smaller than this are recycled per size

void* gc_object_alloc(size_t size);
void gc_object_free(void* block, int size);  // gives back the block of a destroyed object
int gc_ext_malloced(int bytes);

// Greys a white object (the mark step every mark() calls for its fields).
inline void gc_mark_q(gc_object* object) {
    extern void gc_grey(gc_object * object);
    if (object && (object->flags & 3) == gc_markbit) gc_grey(object);
}

// The write barrier: every store of a collected pointer into a field or a
// global goes through here, so an object reachable only from an already
// traced object is still found in this cycle.
template <class T, class U>
inline void gc_assign(T*& field, U* value) {
    gc_mark_q(value);
    field = value;
}

// Roots: module globals that hold collected objects. Each layer registers
// its globals once at start-up; gc_mark() greys them all.
using gc_root_reader = gc_object* (*)(void* slot);
void gc_add_root(void* slot, gc_root_reader reader);
template <class T>
void gc_root(T*& slot) {
    gc_add_root(&slot, [](void* s) -> gc_object* { return *static_cast<T**>(s); });
}

void gc_init_lists();
void gc_mark();
void gc_collect_step(gc_object* extra_root);  // one step; extra_root is greyed first
bool gc_is_live_object(const void* address);  // on one of the collector's lists
