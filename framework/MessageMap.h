#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

// Message maps: per window class a static, constant-initialised table that maps a message, a
// command id (with or without a notification code), a WM_NOTIFY code or a reflected message to a
// handler method. Dispatch walks the class's table, then the tables of its bases, linearly.
//
// A class declares its map first thing in its body (the declaration leaves access private):
//     class CPluginWnd : public fw::CFrameWnd {
//         ZOR_MESSAGE_MAP(CPluginWnd);
//
//       public: ...
// and defines it in its .cpp, one line per entry, chained to its base class's map:
//     const fw::MessageEntry<CPluginWnd> CPluginWnd::messages[] = {
//         fw::mapMessage(WM_SIZE, &CPluginWnd::onSize),
//         fw::mapCommand(1240, &CPluginWnd::onRefresh),
//     };
//     const fw::MessageMap CPluginWnd::messageMap =
//         fw::chainMessageMap(messages, &CFrameWnd::classMessageMap);
// Handlers may be private. A class without entries of its own declares no map and uses its base's.
namespace zor::fw {

class CWnd;

// One message as it reached the window procedure.
struct WindowMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A parent hands WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR* and WM_COMMAND notifications of a child
// control that has an object back to that object as kReflectBase + message, as the classic
// frameworks do; only when the child's object does not handle them does the parent's own map see
// them.
inline constexpr UINT kReflectBase = 0xBC00;

enum class EntryKind : unsigned char {
    message,           // the message number
    command,           // WM_COMMAND from a control or menu id, any notification code
    commandCode,       // WM_COMMAND from an id with one notification code
    notify,            // WM_NOTIFY from an id with one notification code
    ctlColor,          // any of WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC (or their reflections)
    reflectedCommand,  // a control's own WM_COMMAND notification, reflected to it by its parent
};

struct EntryKey {
    EntryKind kind;
    UINT message;  // the message number; the first WM_CTLCOLOR* for ctlColor
    UINT id;       // command or control id; 0 where the kind has none
    UINT code;     // notification code; 0 where the kind has none
};

bool entryMatches(const EntryKey& key, const WindowMessage& m);

// Every handler has the one signature; it answers the message's result. A handler that wants the
// window's default processing as well calls CWnd::Default(m) where it wants it to happen.
template <class T>
using MessageHandler = LRESULT (T::*)(const WindowMessage&);

template <class T>
struct MessageEntry {
    EntryKey key;
    MessageHandler<T> handler;

    constexpr MessageEntry(EntryKey entryKey, MessageHandler<T> entryHandler)
        : key(entryKey), handler(entryHandler) {}

    // An entry whose handler is inherited from a base class.
    template <class Base,
              std::enable_if_t<std::is_base_of_v<Base, T> && !std::is_same_v<Base, T>, int> = 0>
    constexpr MessageEntry(const MessageEntry<Base>& entry)  // NOLINT: implicit on purpose
        : key(entry.key), handler(entry.handler) {}
};

// A class's table, type-erased so that CWnd can walk the chain of a derived object.
// The base class's map is reached through its accessor function, whose address is a constant, so
// every map is initialised at compile time whichever file defines the base.
struct MessageMap {
    using Dispatch = bool (*)(CWnd& wnd, const MessageMap& map, const WindowMessage& m,
                              LRESULT& result);
    using BaseMap = const MessageMap& (*)();
    const void* entries;
    std::size_t count;
    Dispatch dispatch;  // null for a map without entries
    BaseMap base;       // null for the root map
};

template <class T>
bool dispatchEntries(CWnd& wnd, const MessageMap& map, const WindowMessage& m, LRESULT& result) {
    const auto* entries = static_cast<const MessageEntry<T>*>(map.entries);
    for (std::size_t i = 0; i < map.count; ++i) {
        if (entryMatches(entries[i].key, m)) {
            result = (static_cast<T&>(wnd).*entries[i].handler)(m);
            return true;
        }
    }
    return false;
}

template <class T, std::size_t N>
constexpr MessageMap chainMessageMap(const MessageEntry<T> (&entries)[N],
                                     MessageMap::BaseMap base) {
    return MessageMap{entries, N, &dispatchEntries<T>, base};
}

// Declares the message map of Class: its table, its map and the accessors CWnd dispatches through.
// The members are private, so a derived class's map hides nothing it could reach.
#define ZOR_MESSAGE_MAP(Class)                                    \
  protected:                                                      \
    static const ::zor::fw::MessageMap& classMessageMap() {       \
        return messageMap;                                        \
    }                                                             \
    const ::zor::fw::MessageMap& GetMessageMap() const override { \
        return messageMap;                                        \
    }                                                             \
                                                                  \
  private:                                                        \
    static const ::zor::fw::MessageEntry<Class> messages[];       \
    static const ::zor::fw::MessageMap messageMap

// ---- entries --------------------------------------------------------------------------------

template <class T>
constexpr MessageEntry<T> mapMessage(UINT message, MessageHandler<T> handler) {
    return {EntryKey{EntryKind::message, message, 0, 0}, handler};
}

template <class T>
constexpr MessageEntry<T> mapCommand(UINT id, MessageHandler<T> handler) {
    return {EntryKey{EntryKind::command, WM_COMMAND, id, 0}, handler};
}

template <class T>
constexpr MessageEntry<T> mapCommand(UINT id, UINT code, MessageHandler<T> handler) {
    return {EntryKey{EntryKind::commandCode, WM_COMMAND, id, code}, handler};
}

template <class T>
constexpr MessageEntry<T> mapNotify(UINT id, UINT code, MessageHandler<T> handler) {
    return {EntryKey{EntryKind::notify, WM_NOTIFY, id, code}, handler};
}

// All WM_CTLCOLOR* messages; the handler tells them apart by m.message.
template <class T>
constexpr MessageEntry<T> mapCtlColor(MessageHandler<T> handler) {
    return {EntryKey{EntryKind::ctlColor, WM_CTLCOLORMSGBOX, 0, 0}, handler};
}

// A message of this control reflected by its parent: WM_DRAWITEM, WM_MEASUREITEM or one
// WM_CTLCOLOR*. The handler gets the parent's wParam and lParam and answers the parent's result.
template <class T>
constexpr MessageEntry<T> mapReflected(UINT message, MessageHandler<T> handler) {
    return {EntryKey{EntryKind::message, kReflectBase + message, 0, 0}, handler};
}

// This control's own WM_COMMAND notification (such as BN_CLICKED), reflected by its parent.
template <class T>
constexpr MessageEntry<T> mapReflectedCommand(UINT code, MessageHandler<T> handler) {
    return {EntryKey{EntryKind::reflectedCommand, kReflectBase + WM_COMMAND, 0, code}, handler};
}

}  // namespace zor::fw
