// The data path rule and the "kestrel://" roots.
#include "host/data_path.h"

namespace {

constexpr const char* kDataRoot = "kestrel://data/";

struct Root {
    const char* prefix;
    const char* directory;
};

constexpr Root kRoots[] = {
    {"kestrel://internal/", "./internal/"},
    {"kestrel://external/", "./external/"},
};

}  // namespace

String nx_data_FixDataPath(const String& path) {
    const int schemeAt = path.Find(String(":/"));
    if (schemeAt != -1 && path.Find(String("/")) == schemeAt + 1) return path;
    if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) return path;
    return String(kDataRoot) + path;
}

String nx_host_KestrelPathToFilePath(const String& path, const String& dataFolder) {
    if (!path.StartsWith(String("kestrel:"))) return path;
    if (path.StartsWith(String(kDataRoot))) return dataFolder + path.Slice(String(kDataRoot).Length());
    for (const Root& root : kRoots) {
        String prefix(root.prefix);
        if (path.StartsWith(prefix)) return String(root.directory) + path.Slice(prefix.Length());
    }
    return String();
}
