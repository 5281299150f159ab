#include "support/registry_snapshot.h"

#include "support/machine.h"

#include <algorithm>

namespace {

bool ReadNode(HKEY parent, const std::string& name, RegistrySnapshot::Node& node)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    node.name = name;
    for (DWORD i = 0;; ++i) {
        char valueName[16384];
        DWORD nameSize = sizeof valueName;
        std::vector<BYTE> data(65536);
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, valueName, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        node.values.push_back({std::string(valueName, nameSize), type,
                               std::string(reinterpret_cast<char*>(data.data()), dataSize)});
    }
    char child[512];
    for (DWORD i = 0; RegEnumKeyA(key, i, child, sizeof child) == ERROR_SUCCESS; ++i) {
        RegistrySnapshot::Node childNode;
        if (ReadNode(key, child, childNode)) node.children.push_back(childNode);
    }
    RegCloseKey(key);
    std::sort(node.values.begin(), node.values.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    std::sort(node.children.begin(), node.children.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return true;
}

void WriteNode(HKEY parent, const RegistrySnapshot::Node& node)
{
    HKEY key;
    if (RegCreateKeyA(parent, node.name.c_str(), &key) != ERROR_SUCCESS) return;
    for (const auto& v : node.values) {
        RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                       static_cast<DWORD>(v.data.size()));
    }
    for (const auto& child : node.children) WriteNode(key, child);
    RegCloseKey(key);
}

void Describe(const RegistrySnapshot::Node& node, const std::string& path, std::string& text)
{
    text += "[" + path + "]\n";
    for (const auto& v : node.values)
        text += "  " + v.name + " (" + std::to_string(v.type) + ") = " + v.data + "\n";
    for (const auto& child : node.children) Describe(child, path + "\\" + child.name, text);
}

}  // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, std::string key) : root_(root), key_(std::move(key))
{
    existed_ = ReadNode(root_, key_, tree_);
}

RegistrySnapshot::~RegistrySnapshot()
{
    Restore();
}

void RegistrySnapshot::Restore()
{
    RegDeleteTree(root_, key_);
    if (existed_) WriteNode(root_, tree_);
}

std::string DescribeKeyTree(HKEY root, const std::string& key)
{
    RegistrySnapshot::Node node;
    std::string text;
    if (ReadNode(root, key, node)) Describe(node, key, text);
    return text;
}
