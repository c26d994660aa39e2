// Object, the root of every collected class, and the runtime's exception type.
#pragma once

#include "runtime/gc.h"
#include "runtime/string.h"

class Object : public gc_object {
public:
    virtual bool Equals(Object* other) { return this == other; }
    virtual int Compare(Object* other) {
        return static_cast<int>(reinterpret_cast<intptr_t>(this) - reinterpret_cast<intptr_t>(other));
    }
    virtual String debug() { return String("+Object\n"); }
};

// Thrown (as a pointer) by game code for a runtime exception; the host's
// entry points catch it and end the program through Die.
class ThrowableObject : public Object {};
