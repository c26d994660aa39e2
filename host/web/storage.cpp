// The saved string in the browser's storage, where the desktop keeps its
// state file: the same string under the state file's name, kept per site and
// shared by its tabs, which hear of each other's saves.
#include <cstdlib>

#include "host/web/browser.h"
#include "host/web/web_game.h"
#include "runtime/error.h"

namespace {

constexpr const char* kStorageKey = "flingaroo/.kestrelstate";

}  // namespace

String NxWebGame::LoadState() {
    nx_web_storage_changed(kStorageKey);  // what is read now is no news
    int length = 0;
    uint16_t* units = nx_web_storage_load(kStorageKey, &length);
    if (!units) return String();
    String state(units, length);
    std::free(units);
    return state;
}

// A store the browser refuses (private browsing, a full quota, storage
// switched off) fails like an unwritable file: the status says so, the game
// plays on, and the console hears of it once until a save succeeds again.
int NxWebGame::SaveState(const String& state) {
    int status = nx_web_storage_save(kStorageKey, state.Data(), state.Length());
    ReportSaveOutcome(status, String(status == -2 ? "Could not save the records: the browser's storage is full"
                                                  : "Could not save the records: the browser keeps no storage for this page"));
    return status;
}

bool NxWebGame::StateChangedElsewhere() { return nx_web_storage_changed(kStorageKey) != 0; }
