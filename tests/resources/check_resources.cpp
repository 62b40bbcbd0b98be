// Checks the resources linked into vis_zorlyrics.dll: the help text bytes, the icons, the bitmaps
// and the four dialog templates (read from the raw template and from a live dialog made of it).
//
//   check_resources.exe [PATH_TO_DLL]     (default: vis_zorlyrics.dll in the current folder)
//
// The last line is "N passed, N failed"; the exit code is 1 when anything failed.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char* what, const std::string& context, int line) {
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAILED line %d: %s [%s]\n", line, what, context.c_str());
}

#define CHECK(cond) check((cond), #cond, "", __LINE__)
#define CHECK_IN(cond, context) check((cond), #cond, (context), __LINE__)

// The help text as the user reads it, one entry per line; 0x92 is the typographic apostrophe.
const char* const helpLines[] = {
    "Maresh\x92s Zor lyrics plugin!!! v1.0",
    "",
    "F9: Edit/Display time tags.",
    "F4: Open Lyrics in external editor.",
    "F5: Refresh Lyrics after external edition.",
    "F6: Song info.",
    "F12: Plugin's configuration.",
    "F1: This help.",
    "F2: Show/hide menu.",
    "SHIFT+F2: Show/hide osciloscope.",
    "F3: Toggle move highlight bar with time.",
    "F7: Toggle Adjust window width to lyrics width.",
    "SHIFT+F7: Show/hide vertical scrollbar.",
    "F8: Toggle Reduced mode.",
    "F11: Toggle Centered lyrics.",
    "INSERT: Insert time tag in \"Edit time tags\" mode.",
    "DELETE: Remove time tag in \"Edit time tags\" mode.",
    "SHIFT+C: Autocomplete paragraph time tags in \"Edit time tags\" mode. (Ej.:Chorus repeat).",
    "CTRL+S: Save lyrics in LRC File.",
    "SHIFT+UP: Volume +. (Winamp up key)",
    "SHIFT+DOWN: Volume -. (Winamp down key)",
    "F: View file name",
    "",
    "(E.T.L): External tagged lyrics",
    "(E.L): External \"no tagged\" lyrics",
    "(I.T.L): Internal tagged lyrics",
    "(I.L): Internal \"no tagged\" lyrics",
    "",
    "ENJOY!!!!  ; )",
    "",
    "Maresh Zor",
};

std::string expectedHelpText() {
    std::string text;
    for (const char* line : helpLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Owns the DLL mapped as data.
struct DataModule {
    HMODULE handle;
    explicit DataModule(const char* path)
        : handle(::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataModule() {
        if (handle != nullptr) {
            ::FreeLibrary(handle);
        }
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
};

// The raw bytes of a resource, or an empty vector when it is missing.
std::vector<unsigned char> resourceBytes(HMODULE module, int id, LPCSTR type) {
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = ::LoadResource(module, info);
    const auto* bytes = static_cast<const unsigned char*>(::LockResource(loaded));
    if (bytes == nullptr) {
        return {};
    }
    return std::vector<unsigned char>(bytes, bytes + ::SizeofResource(module, info));
}

void checkHelpText(HMODULE module) {
    const std::vector<unsigned char> bytes =
        resourceBytes(module, IDR_HELP_TEXT, MAKEINTRESOURCEA(HELP_TEXT_TYPE));
    const std::string expected = expectedHelpText();
    CHECK(expected.size() == HELP_TEXT_SIZE);
    CHECK_IN(bytes.size() == HELP_TEXT_SIZE, std::to_string(bytes.size()) + " bytes");
    CHECK(std::string(bytes.begin(), bytes.end()) == expected);
    if (bytes.size() != expected.size()) {
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != static_cast<unsigned char>(expected[i])) {
            CHECK_IN(false, "first differing byte at offset " + std::to_string(i));
            break;
        }
    }
    CHECK(bytes[6] == 0x92);
    CHECK(std::memchr(bytes.data(), 0, bytes.size()) == nullptr);
}

// GRPICONDIR and its entries as stored in the resource (packed, 2-byte aligned).
#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

void checkIcons(HMODULE module) {
    for (int id : {IDI_REFRESH, IDI_TIME_TAGS, IDI_TEXT_EDITOR, IDI_HELP, IDI_SONG_INFO, IDI_CONFIG,
                   IDI_SAVE}) {
        const std::string name = "icon " + std::to_string(id);
        const std::vector<unsigned char> group = resourceBytes(module, id, RT_GROUP_ICON);
        CHECK_IN(group.size() >= sizeof(IconGroupHeader) + sizeof(IconGroupEntry), name);
        if (group.size() >= sizeof(IconGroupHeader) + sizeof(IconGroupEntry)) {
            IconGroupEntry entry;
            std::memcpy(&entry, group.data() + sizeof(IconGroupHeader), sizeof entry);
            CHECK_IN(entry.width == 16 && entry.height == 16, name);
            CHECK_IN(entry.bitCount == 32 || entry.bitCount == 8, name);
        }

        HICON icon =
            static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        CHECK_IN(icon != nullptr, name);
        if (icon == nullptr) {
            continue;
        }
        ICONINFO info{};
        CHECK_IN(::GetIconInfo(icon, &info) != 0, name);
        BITMAP colour{};
        CHECK_IN(
            info.hbmColor != nullptr && ::GetObjectA(info.hbmColor, sizeof colour, &colour) != 0,
            name);
        CHECK_IN(colour.bmWidth == 16 && colour.bmHeight == 16, name);
        if (info.hbmColor != nullptr) {
            ::DeleteObject(info.hbmColor);
        }
        if (info.hbmMask != nullptr) {
            ::DeleteObject(info.hbmMask);
        }
        ::DestroyIcon(icon);
    }
    CHECK(::FindResourceA(module, MAKEINTRESOURCEA(1402), RT_GROUP_ICON) == nullptr);
}

BITMAPINFOHEADER bitmapHeader(HMODULE module, int id) {
    BITMAPINFOHEADER header{};
    const std::vector<unsigned char> bytes = resourceBytes(module, id, RT_BITMAP);
    if (bytes.size() >= sizeof header) {
        std::memcpy(&header, bytes.data(), sizeof header);
    }
    return header;
}

void checkBitmaps(HMODULE module) {
    const BITMAPINFOHEADER logo = bitmapHeader(module, IDB_LOGO);
    CHECK(logo.biWidth == 220);
    CHECK(logo.biHeight == 50);
    CHECK(logo.biBitCount == 24);
    CHECK(logo.biCompression == BI_RGB);

    // The folder tree's strip: 17-pixel images, white as the mask colour, one image per index
    // from the open folder (0) to the last network display type (7 + 11).
    const BITMAPINFOHEADER strip = bitmapHeader(module, IDB_FOLDER_TREE);
    CHECK(strip.biWidth > 0 && strip.biWidth % FOLDER_TREE_IMAGE_WIDTH == 0);
    CHECK(strip.biHeight == 16);
    HIMAGELIST images =
        ::ImageList_LoadImageA(module, MAKEINTRESOURCEA(IDB_FOLDER_TREE), FOLDER_TREE_IMAGE_WIDTH,
                               1, FOLDER_TREE_MASK_COLOUR, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    CHECK(images != nullptr);
    if (images != nullptr) {
        CHECK_IN(::ImageList_GetImageCount(images) == 19,
                 std::to_string(::ImageList_GetImageCount(images)));
        ::ImageList_Destroy(images);
    }
}

// ---------------------------------------------------------------------------------------------
// Dialog templates (DLGTEMPLATEEX), read field by field.

struct ItemTemplate {
    DWORD exStyle = 0;
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string windowClass;  // predefined classes by name: "Button", "Edit", "Static", ...
    std::string text;
    int textOrdinal = -1;  // a resource number in place of the text (picture statics)
};

struct DialogTemplate {
    bool valid = false;
    DWORD exStyle = 0;
    DWORD style = 0;
    int cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    std::string typeface;
    std::vector<ItemTemplate> items;
};

class TemplateReader {
  public:
    explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    unsigned word() {
        if (pos_ + 2 > bytes_.size()) {
            ok_ = false;
            return 0;
        }
        const unsigned value = bytes_[pos_] | (bytes_[pos_ + 1] << 8);
        pos_ += 2;
        return value;
    }
    DWORD dword() {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }
    int shortValue() { return static_cast<int16_t>(word()); }
    unsigned char byte() {
        if (pos_ >= bytes_.size()) {
            ok_ = false;
            return 0;
        }
        return bytes_[pos_++];
    }
    // A NUL-terminated UTF-16 string; the resources hold ASCII only.
    std::string string() {
        std::string text;
        for (unsigned c = word(); ok_ && c != 0; c = word()) {
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return text;
    }
    // An ordinal (0xFFFF, number) or a string; ordinal answers the number, -1 for a string.
    std::string stringOrOrdinal(int& ordinal) {
        ordinal = -1;
        if (pos_ + 2 <= bytes_.size() && bytes_[pos_] == 0xFF && bytes_[pos_ + 1] == 0xFF) {
            word();
            ordinal = static_cast<int>(word());
            return {};
        }
        return string();
    }
    void alignToDword() { pos_ = (pos_ + 3) & ~static_cast<std::size_t>(3); }
    void skip(std::size_t count) { pos_ += count; }

  private:
    const std::vector<unsigned char>& bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

std::string predefinedClass(int atom) {
    switch (atom) {
        case 0x80:
            return "Button";
        case 0x81:
            return "Edit";
        case 0x82:
            return "Static";
        case 0x83:
            return "ListBox";
        case 0x84:
            return "ScrollBar";
        case 0x85:
            return "ComboBox";
        default:
            return "#" + std::to_string(atom);
    }
}

DialogTemplate readDialogTemplate(HMODULE module, int id) {
    DialogTemplate dialog;
    const std::vector<unsigned char> bytes = resourceBytes(module, id, RT_DIALOG);
    TemplateReader in(bytes);
    if (in.word() != 1 || in.word() != 0xFFFF) {
        return dialog;  // not an extended template
    }
    in.dword();  // help id
    dialog.exStyle = in.dword();
    dialog.style = in.dword();
    const unsigned count = in.word();
    in.shortValue();
    in.shortValue();
    dialog.cx = in.shortValue();
    dialog.cy = in.shortValue();
    int ordinal = -1;
    in.stringOrOrdinal(ordinal);  // menu
    in.stringOrOrdinal(ordinal);  // class
    dialog.caption = in.string();
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.pointSize = static_cast<int>(in.word());
        in.word();  // weight
        in.byte();  // italic
        in.byte();  // character set
        dialog.typeface = in.string();
    }
    for (unsigned i = 0; i < count && in.ok(); ++i) {
        in.alignToDword();
        ItemTemplate item;
        in.dword();  // help id
        item.exStyle = in.dword();
        item.style = in.dword();
        item.x = in.shortValue();
        item.y = in.shortValue();
        item.cx = in.shortValue();
        item.cy = in.shortValue();
        item.id = static_cast<int>(in.dword());
        int classAtom = -1;
        item.windowClass = in.stringOrOrdinal(classAtom);
        if (classAtom >= 0) {
            item.windowClass = predefinedClass(classAtom);
        }
        item.text = in.stringOrOrdinal(item.textOrdinal);
        in.skip(in.word());  // creation data
        dialog.items.push_back(item);
    }
    dialog.valid = in.ok();
    return dialog;
}

// What the templates must hold, control by control in template order. `kind` is the low type field
// of the style (BS_* for buttons, SS_* for statics), -1 where it does not apply; `styles` are bits
// that must be set. A text of nullptr is not compared (the about text is free to change); an
// SS_BITMAP static must name the logo bitmap instead of a text.
struct ExpectedItem {
    int id;
    const char* windowClass;
    const char* text;
    int x, y, cx, cy;
    int kind;
    DWORD styles;
};

struct ExpectedDialog {
    int id;
    const char* caption;
    int cx, cy;
    DWORD style;
    DWORD exStyle;
    int pointSize;
    const char* typeface;
    std::vector<ExpectedItem> items;
};

const DWORD swatch = WS_BORDER;
const DWORD tabStop = WS_TABSTOP;

const std::vector<ExpectedDialog>& expectedDialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {IDD_CONFIG,
         "Configuration",
         239,
         292,
         DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
         WS_EX_TOPMOST,
         10,
         "Arial",
         {
             {IDOK, "Button", "OK", 176, 6, 44, 13, BS_DEFPUSHBUTTON, WS_TABSTOP},
             {IDCANCEL, "Button", "Cancel", 176, 20, 44, 13, BS_PUSHBUTTON, WS_TABSTOP},
             {IDC_SETUP_GROUP, "Button", "Lyrics Setup", 7, 70, 224, 216, BS_GROUPBOX, 0},
             {IDC_ABOUT_TEXT, "Static", nullptr, 7, 35, 224, 35, SS_CENTER, SS_SUNKEN},
             {IDC_CENTER_HIGHLIGHT, "Button", "Center highlight bar", 13, 96, 77, 9,
              BS_AUTOCHECKBOX, tabStop},
             {IDC_SHOW_OSCILOSCOPE, "Button", "Show osciloscope (SHIFT+F2)", 116, 82, 111, 13,
              BS_AUTOCHECKBOX, tabStop},
             {IDC_SWATCH_BKCOLOR, "Static", "", 74, 148, 14, 12, SS_LEFT, swatch},
             {-1, "Static", "Background", 15, 151, 40, 11, SS_LEFT, 0},
             {IDC_SWATCH_TXTCOLOR, "Static", "", 74, 162, 14, 12, SS_LEFT, swatch},
             {IDC_SWATCH_HLCOLOR, "Static", "", 74, 177, 14, 12, SS_LEFT, swatch},
             {IDC_SWATCH_HLTXTCOLOR, "Static", "", 74, 192, 14, 12, SS_LEFT, swatch},
             {-1, "Static", "Font", 15, 165, 40, 11, SS_LEFT, 0},
             {-1, "Static", "Font Highlight", 15, 195, 58, 11, SS_LEFT, 0},
             {-1, "Static", "Back Highlight", 15, 179, 48, 11, SS_LEFT, 0},
             {IDC_SWATCH_OSCBKCOLOR, "Static", "", 175, 147, 14, 12, SS_LEFT, swatch},
             {IDC_SWATCH_OSCCOLOR, "Static", "", 175, 163, 14, 12, SS_LEFT, swatch},
             {IDC_SWATCH_BKWINDOWCOLOR, "Static", "", 175, 179, 14, 12, SS_LEFT, swatch},
             {-1, "Static", "Back Osc", 130, 150, 40, 11, SS_LEFT, 0},
             {-1, "Static", "Line Osc", 130, 166, 40, 11, SS_LEFT, 0},
             {-1, "Static", "Toolbar", 129, 182, 40, 11, SS_LEFT, 0},
             {-1, "Static", "Font Type", 15, 134, 40, 11, SS_LEFT, 0},
             {IDC_FONT_SUMMARY, "Static", "Tipo de letra", 74, 131, 148, 13, SS_LEFT, WS_BORDER},
             {-1, "Static", nullptr, 18, 6, 129, 28, SS_BITMAP, 0},
             {IDC_SHOW_MENU, "Button", "Show menu (F2)", 13, 82, 75, 13, BS_AUTOCHECKBOX, tabStop},
             {IDC_ADJUST_WIDTH, "Button", "Adjust window width (F7)", 13, 105, 97, 13,
              BS_AUTOCHECKBOX, tabStop},
             {IDC_SHOW_CENTERED, "Button", "Center Lyric (F11)", 116, 94, 75, 13, BS_AUTOCHECKBOX,
              tabStop},
             {IDC_SHOW_VSCROLL, "Button", "Show vscroll (SHIFT+F7)", 116, 106, 97, 13,
              BS_AUTOCHECKBOX, tabStop},
             {IDC_MOVE_BAR, "Button", "Move highlight bar with time (F3)", 13, 117, 122, 13,
              BS_AUTOCHECKBOX, tabStop},
             {IDC_ALTERNATIVE_PATH, "Edit", "", 89, 208, 117, 13, -1,
              WS_BORDER | ES_READONLY | ES_AUTOHSCROLL},
             {IDC_BROWSE_PATH, "Button", "...", 210, 208, 13, 14, BS_PUSHBUTTON, WS_TABSTOP},
             {-1, "Static", "Alternative lyrics path", 13, 211, 74, 11, SS_LEFT, 0},
             {IDC_PRECISE_TIMING, "Button", "Precise timing", 140, 117, 80, 13, BS_AUTOCHECKBOX,
              tabStop},
             {-1, "Static", "Latency (ms)", 130, 196, 44, 11, SS_LEFT, 0},
             {IDC_LATENCY_MS, "Edit", "", 175, 194, 40, 12, -1, WS_BORDER | ES_AUTOHSCROLL},
             {-1, "Static", "Code page of other files (0: ANSI)", 13, 228, 120, 11, SS_LEFT, 0},
             {IDC_CODE_PAGE, "Edit", "", 166, 226, 40, 13, -1,
              WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL},
             {IDC_DETECT_CODE_PAGE, "Button", "Guess the code page of other files", 13, 242, 200,
              13, BS_AUTOCHECKBOX, tabStop},
             {IDC_SAME_TIME_LINES, "Button", "Highlight lines with the same time together", 13, 255,
              200, 13, BS_AUTOCHECKBOX, tabStop},
             {IDC_ONLINE_LYRICS, "Button", "Search lrclib.net for songs without lyrics", 13, 268,
              200, 13, BS_AUTOCHECKBOX, tabStop},
         }},
        {IDD_HELP,
         "HELP!",
         371,
         310,
         DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
         0,
         8,
         "MS Sans Serif",
         {
             {IDOK, "Button", "OK", 313, 7, 50, 14, BS_DEFPUSHBUTTON, WS_TABSTOP},
             {IDCANCEL, "Button", "Cancel", 313, 25, 50, 14, BS_PUSHBUTTON, WS_TABSTOP},
             {-1, "Static", nullptr, 79, 7, 151, 34, SS_BITMAP, 0},
             {IDC_HELP_TEXT, "Static", "", 20, 45, 343, 258, SS_LEFT, 0},
         }},
        {IDD_GETPATH,
         "Blar...",
         183,
         188,
         DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
         0,
         8,
         "MS Sans Serif",
         {
             {IDC_FOLDER_TREE, WC_TREEVIEWA, "", 7, 16, 169, 146, -1,
              WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                  TVS_DISABLEDRAGDROP | TVS_INFOTIP | TVS_FULLROWSELECT},
             {IDOK, "Button", "OK", 72, 167, 50, 14, BS_DEFPUSHBUTTON, WS_DISABLED},
             {IDCANCEL, "Button", "Cancel", 126, 167, 50, 14, BS_PUSHBUTTON, 0},
             {IDC_FOLDER_PATH, "Static", "Blar blar blar...", 7, 5, 169, 10, SS_LEFT, 0},
         }},
        {IDD_EDITOR,
         "Lyrics simple text editor",
         467,
         198,
         DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
         0,
         8,
         "MS Sans Serif",
         {
             {IDOK, "Button", "Save in MP3", 316, 182, 69, 12, BS_PUSHBUTTON, 0},
             {IDC_EDITOR_TEXT, "Edit", "", 7, 7, 448, 169, -1,
              ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
             {IDC_SAVE_AS_LRC, "Button", "Save as LRC file", 234, 182, 70, 12, BS_PUSHBUTTON, 0},
             {IDCANCEL, "Button", "Cancel", 393, 182, 62, 12, BS_PUSHBUTTON, 0},
         }},
        {IDD_ONLINE_SEARCH,
         "Search lrclib.net",
         380,
         236,
         DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
         0,
         8,
         "MS Sans Serif",
         {
             {-1, "Static", "Artist", 7, 9, 30, 8, SS_LEFT, 0},
             {IDC_SEARCH_ARTIST, "Edit", "", 40, 7, 120, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {-1, "Static", "Title", 7, 25, 30, 8, SS_LEFT, 0},
             {IDC_SEARCH_TITLE, "Edit", "", 40, 23, 120, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {-1, "Static", "Album", 7, 41, 30, 8, SS_LEFT, 0},
             {IDC_SEARCH_ALBUM, "Edit", "", 40, 39, 120, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {IDOK, "Button", "Search", 168, 7, 50, 14, BS_DEFPUSHBUTTON, WS_TABSTOP},
             {IDC_SEARCH_STATUS, "Static", "", 168, 41, 205, 8, SS_LEFT, 0},
             {IDC_SEARCH_RESULTS, "ListBox", "", 7, 56, 366, 70, -1,
              LBS_NOTIFY | LBS_USETABSTOPS | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
             {IDC_SEARCH_PREVIEW, "Edit", "", 7, 131, 366, 80, -1,
              ES_MULTILINE | ES_READONLY | WS_VSCROLL},
             {IDC_SEARCH_USE, "Button", "Use", 265, 216, 50, 14, BS_PUSHBUTTON, WS_DISABLED},
             {IDCANCEL, "Button", "Close", 323, 216, 50, 14, BS_PUSHBUTTON, 0},
         }},
        {IDD_PUBLISH,
         "Publish to lrclib.net",
         300,
         208,
         DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
         0,
         8,
         "MS Sans Serif",
         {
             {-1, "Static", "Artist", 7, 9, 40, 8, SS_LEFT, 0},
             {IDC_PUBLISH_ARTIST, "Edit", "", 52, 7, 241, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {-1, "Static", "Title", 7, 25, 40, 8, SS_LEFT, 0},
             {IDC_PUBLISH_TITLE, "Edit", "", 52, 23, 241, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {-1, "Static", "Album", 7, 41, 40, 8, SS_LEFT, 0},
             {IDC_PUBLISH_ALBUM, "Edit", "", 52, 39, 241, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {-1, "Static", "Duration (s)", 7, 57, 44, 8, SS_LEFT, 0},
             {IDC_PUBLISH_DURATION, "Edit", "", 52, 55, 50, 12, -1,
              WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
             {IDC_PUBLISH_COUNT, "Static", "", 110, 57, 183, 8, SS_LEFT, 0},
             {IDC_PUBLISH_PREVIEW, "Edit", "", 7, 72, 286, 70, -1,
              ES_MULTILINE | ES_READONLY | WS_VSCROLL},
             {IDC_PUBLISH_PUBLIC, "Static", "", 7, 148, 286, 18, SS_LEFT, 0},
             {IDC_PUBLISH_STATUS, "Static", "", 7, 170, 286, 8, SS_LEFT, 0},
             {IDOK, "Button", "Publish", 185, 187, 50, 14, BS_DEFPUSHBUTTON, WS_TABSTOP},
             {IDCANCEL, "Button", "Cancel", 243, 187, 50, 14, BS_PUSHBUTTON, 0},
         }},
    };
    return dialogs;
}

std::string itemName(const ExpectedDialog& dialog, std::size_t index, const ExpectedItem& item) {
    return "dialog " + std::to_string(dialog.id) + " item " + std::to_string(index) + " (id " +
           std::to_string(item.id) +
           (item.text != nullptr ? std::string(", \"") + item.text + "\")" : ")");
}

void checkTemplate(HMODULE module, const ExpectedDialog& expected) {
    const std::string name = "dialog " + std::to_string(expected.id);
    CHECK_IN(::FindResourceA(module, MAKEINTRESOURCEA(expected.id), RT_DIALOG) != nullptr, name);
    const DialogTemplate actual = readDialogTemplate(module, expected.id);
    CHECK_IN(actual.valid, name);
    if (!actual.valid) {
        return;
    }
    CHECK_IN(actual.caption == expected.caption, name + ": " + actual.caption);
    CHECK_IN(actual.cx == expected.cx && actual.cy == expected.cy, name);
    CHECK_IN(actual.style == (expected.style | DS_SETFONT), name);
    CHECK_IN(actual.exStyle == expected.exStyle, name);
    CHECK_IN(actual.pointSize == expected.pointSize && actual.typeface == expected.typeface,
             name + ": " + actual.typeface);
    CHECK_IN(actual.items.size() == expected.items.size(),
             name + ": " + std::to_string(actual.items.size()));
    for (std::size_t i = 0; i < actual.items.size() && i < expected.items.size(); ++i) {
        const ExpectedItem& want = expected.items[i];
        const ItemTemplate& got = actual.items[i];
        const std::string where = itemName(expected, i, want);
        CHECK_IN(got.id == want.id, where + ": id " + std::to_string(got.id));
        CHECK_IN(::lstrcmpiA(got.windowClass.c_str(), want.windowClass) == 0,
                 where + ": " + got.windowClass);
        CHECK_IN(got.x == want.x && got.y == want.y && got.cx == want.cx && got.cy == want.cy,
                 where);
        if (want.kind == SS_BITMAP) {
            CHECK_IN(got.textOrdinal == IDB_LOGO, where);
        } else {
            CHECK_IN((got.style & want.styles) == want.styles, where);
            if (want.text != nullptr) {
                CHECK_IN(got.textOrdinal < 0 && got.text == want.text,
                         where + ": \"" + got.text + "\"");
            }
        }
        if (want.kind >= 0) {
            const DWORD mask =
                want.windowClass == std::string("Button") ? BS_TYPEMASK : SS_TYPEMASK;
            CHECK_IN((got.style & mask) == static_cast<DWORD>(want.kind), where);
        }
        CHECK_IN((got.style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE), where);
    }
}

INT_PTR CALLBACK quietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A dialog made from the template: every control exists with its text, at its place.
void checkLiveDialog(HMODULE module, const ExpectedDialog& expected) {
    const std::string name = "live dialog " + std::to_string(expected.id);
    HWND dialog =
        ::CreateDialogParamA(module, MAKEINTRESOURCEA(expected.id), nullptr, quietDialogProc, 0);
    CHECK_IN(dialog != nullptr, name + ": error " + std::to_string(::GetLastError()));
    if (dialog == nullptr) {
        return;
    }
    char text[512];
    ::GetWindowTextA(dialog, text, sizeof text);
    CHECK_IN(std::string(text) == expected.caption, name + ": " + text);

    // Children keep template order.
    HWND child = ::GetWindow(dialog, GW_CHILD);
    for (std::size_t i = 0; i < expected.items.size();
         ++i, child = ::GetWindow(child, GW_HWNDNEXT)) {
        const ExpectedItem& want = expected.items[i];
        const std::string where = "live " + itemName(expected, i, want);
        CHECK_IN(child != nullptr, where);
        if (child == nullptr) {
            break;
        }
        CHECK_IN((::GetDlgCtrlID(child) & 0xFFFF) == (want.id & 0xFFFF), where);
        if (want.id != -1) {
            CHECK_IN(::GetDlgItem(dialog, want.id) == child, where);
        }
        char className[64];
        ::GetClassNameA(child, className, sizeof className);
        CHECK_IN(::lstrcmpiA(className, want.windowClass) == 0, where + ": " + className);
        if (want.kind == SS_BITMAP) {
            CHECK_IN(::SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0,
                     where + ": logo bitmap");
            continue;  // a picture static takes the size of its bitmap
        }
        if (want.text != nullptr) {
            ::GetWindowTextA(child, text, sizeof text);
            CHECK_IN(std::string(text) == want.text, where + ": \"" + text + "\"");
        }
        RECT expectedRect = {want.x, want.y, want.x + want.cx, want.y + want.cy};
        ::MapDialogRect(dialog, &expectedRect);
        RECT actualRect;
        ::GetWindowRect(child, &actualRect);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actualRect), 2);
        // Position and size are rounded separately, so the far edges may differ by a pixel.
        CHECK_IN(actualRect.left == expectedRect.left && actualRect.top == expectedRect.top &&
                     std::abs(actualRect.right - expectedRect.right) <= 1 &&
                     std::abs(actualRect.bottom - expectedRect.bottom) <= 1,
                 where);
    }
    CHECK_IN(child == nullptr, name + ": no controls beyond the table");
    ::DestroyWindow(dialog);
}

}  // namespace

int main(int argc, char** argv) {
    const char* dll = argc > 1 ? argv[1] : "vis_zorlyrics.dll";
    char fullPath[MAX_PATH];
    if (::GetFullPathNameA(dll, MAX_PATH, fullPath, nullptr) == 0) {
        std::snprintf(fullPath, sizeof fullPath, "%s", dll);
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    DataModule module(fullPath);
    CHECK_IN(module.handle != nullptr, fullPath);
    if (module.handle != nullptr) {
        checkHelpText(module.handle);
        checkIcons(module.handle);
        checkBitmaps(module.handle);
        for (const ExpectedDialog& dialog : expectedDialogs()) {
            checkTemplate(module.handle, dialog);
            checkLiveDialog(module.handle, dialog);
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
