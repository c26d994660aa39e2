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

std::string nx_host_KestrelPathToFilePath(const String& path, const std::string& dataFolder) {
    if (!path.StartsWith(String("kestrel:"))) return path.ToUtf8();
    if (path.StartsWith(String(kDataRoot))) return dataFolder + path.Slice(String(kDataRoot).Length()).ToUtf8();
    for (const Root& root : kRoots) {
        String prefix(root.prefix);
        if (path.StartsWith(prefix)) return root.directory + path.Slice(prefix.Length()).ToUtf8();
    }
    return std::string();
}
