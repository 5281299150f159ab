// Keeps a registry key tree as it was and puts it back, so a test may change
// keys of the machine that are not the product's (FileExts, the classes, the
// shell folders of another hive) and leave no trace.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RegistrySnapshot {
public:
    RegistrySnapshot(HKEY root, std::string key);
    ~RegistrySnapshot();  // Restore()
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    // Deletes whatever the key holds now and writes back the tree taken.
    void Restore();

    struct Value {
        std::string name;
        DWORD type;
        std::string data;
    };
    struct Node {
        std::string name;
        std::vector<Value> values;
        std::vector<Node> children;
    };

private:
    HKEY root_;
    std::string key_;
    bool existed_ = false;
    Node tree_;
};

// The key tree as text, one line per key and value, in a stable order: what
// two moments of a test compare. "" for a key that does not exist.
std::string DescribeKeyTree(HKEY root, const std::string& key);
