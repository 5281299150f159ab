#include "resources/resource_reader.h"

#include <cstdio>
#include <cstring>

DataModule::DataModule(const std::string& path)
    : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
{
}

DataModule::~DataModule()
{
    if (module_ != nullptr) FreeLibrary(module_);
}

std::string DataModule::Resource(LPCSTR type, LPCSTR name) const
{
    HRSRC info = FindResourceA(module_, name, type);
    if (info == nullptr) return std::string();
    HGLOBAL loaded = LoadResource(module_, info);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return std::string();
    return std::string(static_cast<const char*>(data), SizeofResource(module_, info));
}

std::string NarrowText(const WCHAR* text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < 0x80) {
            out += static_cast<char>(text[i]);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(text[i]));
            out += escaped;
        }
    }
    return out;
}

namespace {

BOOL CALLBACK CollectBlockId(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// A string block holds 16 counted UTF-16 strings; block n has ids 16(n-1) on.
void ReadStringBlock(const std::string& block, UINT blockId, std::map<UINT, std::string>& strings)
{
    std::size_t pos = 0;
    for (UINT i = 0; i < 16 && pos + 2 <= block.size(); ++i) {
        WORD length;
        std::memcpy(&length, block.data() + pos, 2);
        pos += 2;
        if (pos + 2u * length > block.size()) return;
        std::vector<WCHAR> text(length);
        if (length > 0) std::memcpy(text.data(), block.data() + pos, 2u * length);
        pos += 2u * length;
        if (length > 0) strings[(blockId - 1) * 16 + i] = NarrowText(text.data(), length);
    }
}

}  // namespace

std::map<UINT, std::string> DataModule::AllStrings() const
{
    std::vector<UINT> blockIds;
    EnumResourceNamesA(module_, RT_STRING, CollectBlockId, reinterpret_cast<LONG_PTR>(&blockIds));
    std::map<UINT, std::string> strings;
    for (UINT blockId : blockIds)
        ReadStringBlock(Resource(RT_STRING, MAKEINTRESOURCEA(blockId)), blockId, strings);
    return strings;
}

namespace {

// Reads a template's fields in order, refusing to read past its end.
class TemplateCursor {
public:
    explicit TemplateCursor(const std::string& bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    template <class T>
    T Read()
    {
        T value{};
        if (pos_ + sizeof(T) > bytes_.size()) { ok_ = false; return value; }
        std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    std::string ReadText()
    {
        std::vector<WCHAR> text;
        for (WCHAR c = Read<WCHAR>(); ok_ && c != 0; c = Read<WCHAR>()) text.push_back(c);
        return NarrowText(text.data(), text.size());
    }

    // A name or an ordinal (0xFFFF followed by the number).
    std::string ReadNameOrOrdinal()
    {
        if (pos_ + 2 <= bytes_.size() && Peek() == 0xFFFF) {
            Read<WORD>();
            return "#" + std::to_string(Read<WORD>());
        }
        return ReadText();
    }

    void Skip(std::size_t n)
    {
        if (n > bytes_.size() - pos_) ok_ = false;
        else pos_ += n;
    }
    void AlignToDword() { pos_ = (pos_ + 3) & ~static_cast<std::size_t>(3); }

private:
    WORD Peek() const
    {
        WORD w;
        std::memcpy(&w, bytes_.data() + pos_, 2);
        return w;
    }

    const std::string& bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// The dialog manager knows the predefined classes by atom or by name, in any case.
std::string CanonicalClass(const std::string& name)
{
    static const char* const predefined[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (int i = 0; i < 6; ++i) {
        if (name == "#" + std::to_string(0x80 + i) || lstrcmpiA(name.c_str(), predefined[i]) == 0)
            return predefined[i];
    }
    return name;
}

void ReadHeaderTail(TemplateCursor& in, DialogTemplate& out)
{
    out.x = in.Read<short>();
    out.y = in.Read<short>();
    out.cx = in.Read<short>();
    out.cy = in.Read<short>();
    out.menu = in.ReadNameOrOrdinal();
    out.windowClass = in.ReadNameOrOrdinal();
    out.caption = in.ReadText();
    if (!(out.style & (DS_SETFONT | DS_SHELLFONT))) return;
    out.pointSize = in.Read<WORD>();
    if (out.extended) in.Skip(4);  // weight, italic, character set
    out.font = in.ReadText();
}

DialogControl ReadControl(TemplateCursor& in, bool extended)
{
    DialogControl c;
    in.AlignToDword();
    if (extended) {
        in.Read<DWORD>();  // help id
        c.exStyle = in.Read<DWORD>();
        c.style = in.Read<DWORD>();
    } else {
        c.style = in.Read<DWORD>();
        c.exStyle = in.Read<DWORD>();
    }
    c.x = in.Read<short>();
    c.y = in.Read<short>();
    c.cx = in.Read<short>();
    c.cy = in.Read<short>();
    c.id = extended ? static_cast<int>(in.Read<LONG>()) : in.Read<short>();
    c.windowClass = CanonicalClass(in.ReadNameOrOrdinal());
    c.text = in.ReadNameOrOrdinal();
    in.Skip(in.Read<WORD>());  // creation data
    return c;
}

}  // namespace

bool ParseDialogTemplate(const std::string& bytes, DialogTemplate& out)
{
    out = DialogTemplate();
    TemplateCursor in(bytes);
    WORD version = in.Read<WORD>();
    WORD signature = in.Read<WORD>();
    out.extended = version == 1 && signature == 0xFFFF;
    int count;
    if (out.extended) {
        in.Read<DWORD>();  // help id
        out.exStyle = in.Read<DWORD>();
        out.style = in.Read<DWORD>();
        count = in.Read<WORD>();
    } else {
        out.style = MAKELONG(version, signature);
        out.exStyle = in.Read<DWORD>();
        count = in.Read<WORD>();
    }
    ReadHeaderTail(in, out);
    for (int i = 0; i < count && in.ok(); ++i) out.controls.push_back(ReadControl(in, out.extended));
    return in.ok();
}
