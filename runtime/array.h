// Array<T>: a fixed-length array whose representation lives in collected
// memory, elements stored inline after the header. Every empty array of an
// element type shares one permanent representation that is never collected.
// Indexing does no range check: callers keep their indices in bounds.
#pragma once

#include <memory>
#include <new>
#include <type_traits>

#include "runtime/gc.h"
#include "runtime/string.h"

template <class T>
class Array {
public:
    class Rep : public gc_object {
    public:
        int length;

        explicit Rep(int n) : length(n) {
            for (int i = 0; i < n; ++i) new (data() + i) T();
        }
        ~Rep() override { std::destroy_n(data(), length); }
        void mark() override {
            if constexpr (std::is_pointer_v<T>) {
                for (int i = 0; i < length; ++i) gc_mark_q(data()[i]);
            }
        }
        T* data() { return reinterpret_cast<T*>(this + 1); }

        static Rep nullRep;

    private:
        friend class Array;
        explicit Rep(gc_object::permanent_tag tag) : gc_object(tag), length(0) {}
    };
    static_assert(sizeof(Rep) % alignof(T) == 0, "elements must start aligned");

    Array() : rep_(&Rep::nullRep) {}
    explicit Array(int length)
        : rep_(length > 0 ? new (sizeof(T) * static_cast<size_t>(length)) Rep(length) : &Rep::nullRep) {}

    int Length() const { return rep_->length; }
    T& operator[](int index) const { return rep_->data()[index]; }
    T* begin() const { return rep_->data(); }
    T* end() const { return rep_->data() + rep_->length; }
    Rep* rep() const { return rep_; }

private:
    Rep* rep_;
};

template <class T>
typename Array<T>::Rep Array<T>::Rep::nullRep{gc_object::permanent_tag{}};

template <class T>
inline void gc_mark_q(const Array<T>& array) {
    gc_mark_q(array.rep());
}

// The write barrier for an array field.
template <class T>
inline void gc_assign(Array<T>& field, const Array<T>& value) {
    gc_mark_q(value.rep());
    field = value;
}
