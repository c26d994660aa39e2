// Feeds arbitrary bytes to the text decoder that reads the state file and
// every text file: it must accept anything, and whatever it returns must
// encode back without reading outside the string.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "runtime/array.h"
#include "runtime/gc.h"
#include "runtime/string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        gc_init_lists();
        return true;
    }();
    (void)ready;
    String text = String::Decode(data, size);
    if (text.Length() > static_cast<int>(size)) __builtin_trap();  // never more characters than bytes
    std::string utf8 = text.ToUtf8();
    String again = String::Decode(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size());
    (void)again.Split(String("|")).Length();
    (void)text.ToInt();
    // The host runs a collection step after every call into the game; without
    // one here the arrays Split makes pile up until the run is out of memory.
    gc_collect_step(nullptr);
    return 0;
}
