#include "FileDrop.h"

#include "classlib/core/Exceptions.h"
#include "classlib/ui/Application.h"

#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace Ovk {

TClass TFileDrop::StaticClass() {
    static const TClassInfo info = ClassBuilder<TFileDrop, TSnatcherUser>("TFileDrop")
        .Property<&TFileDrop::FActivateWindow>("ActivateWindow").Default(true)
        .Property<&TFileDrop::FFollowLink>("FollowLink").Default(true)
        .Property<&TFileDrop::FOnDropFiles>("OnDropFiles")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TFileDrop)

namespace {

// The messages of the drop-files protocol: the drop itself and the copies of its data that the
// system makes between processes (WM_COPYGLOBALDATA has no name in the headers).
constexpr UINT WM_COPYGLOBALDATA = 0x0049;
constexpr UINT DropProtocolMessages[] = {WM_DROPFILES, WM_COPYDATA, WM_COPYGLOBALDATA};

// The longest name a drop lists: the 255 characters of the name buffer less the terminator.
constexpr std::size_t MaxNameLength = 254;

// How long the shell may look for a moved shortcut target, in milliseconds.
constexpr DWORD ResolveTimeout = 1000;

// ---------------------------------------------------------------- the drop block
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL Handle)
        : FHandle(Handle), FData(static_cast<const unsigned char*>(GlobalLock(Handle))) {}
    ~TGlobalLock() {
        if (FData) GlobalUnlock(FHandle);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    const unsigned char* Data() const { return FData; }

private:
    HGLOBAL FHandle;
    const unsigned char* FData;
};

struct TDropList {
    UINT Count;
    bool Wide;
};

// The drop block may come from another process (the message filter lets it in while the program
// runs elevated), so it is checked before the shell's functions read it: the header lies inside
// the block, the list starts inside it, and the list of zero-terminated names ends with its
// closing zero inside it. A block listing no name is no drop either. Nothing outside the block
// is read.
std::optional<TDropList> CheckDropBlock(HDROP Drop) {
    if (!Drop) return std::nullopt;
    const SIZE_T size = GlobalSize(Drop);
    if (size < sizeof(DROPFILES)) return std::nullopt;
    TGlobalLock lock(Drop);
    const unsigned char* data = lock.Data();
    if (!data) return std::nullopt;
    DROPFILES header;
    std::memcpy(&header, data, sizeof header);
    if (header.pFiles >= size) return std::nullopt;

    const bool wide = header.fWide != FALSE;
    const SIZE_T unit = wide ? sizeof(WCHAR) : 1;
    // The character at pos, or none when fewer than a whole character is left.
    auto charAt = [&](SIZE_T pos) -> std::optional<unsigned> {
        if (size - pos < unit) return std::nullopt;
        if (!wide) return data[pos];
        WCHAR c;
        std::memcpy(&c, data + pos, sizeof c);  // the list need not be aligned
        return c;
    };

    UINT count = 0;
    SIZE_T pos = header.pFiles;
    for (;;) {
        std::optional<unsigned> c = charAt(pos);
        if (!c) return std::nullopt;
        if (*c == 0) break;  // an empty name closes the list
        while (*c != 0) {
            pos += unit;
            c = charAt(pos);
            if (!c) return std::nullopt;
        }
        pos += unit;
        ++count;
    }
    if (count == 0) return std::nullopt;
    return TDropList{count, wide};
}

// A name cut to MaxNameLength bytes, never in the middle of a double-byte character.
AnsiString CutName(const AnsiString& Name) {
    if (Name.size() <= MaxNameLength) return Name;
    std::size_t end = 0;
    while (end < Name.size()) {
        const bool lead = IsDBCSLeadByte(static_cast<BYTE>(Name[end])) && end + 1 < Name.size();
        const std::size_t next = end + (lead ? 2 : 1);
        if (next > MaxNameLength) break;
        end = next;
    }
    return Name.substr(0, end);
}

// Name Index of a checked drop block, in the ANSI code page.
AnsiString DroppedName(HDROP Drop, UINT Index, bool Wide) {
    if (!Wide) {
        char buffer[MaxNameLength + 1] = {};
        DragQueryFileA(Drop, Index, buffer, sizeof buffer);
        return buffer;
    }
    // The shell lists wide names. Read whole and converted here: a converted name may need more
    // bytes than the buffer of an 8-bit query has room for.
    const UINT length = DragQueryFileW(Drop, Index, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(Drop, Index, name.data(), length + 1);
    name.resize(std::min(copied, length));
    return CutName(FromWide(name, CP_ACP));
}

// The drop handles whose release is arranged but not yet done, on this thread. Every component
// on the window reads the block of a drop; the first of them arranges its release, the others
// find it here.
thread_local std::vector<HDROP> PendingDrops;

void ReleaseDrop(HDROP Drop) {
    std::erase(PendingDrops, Drop);
    // A handle that is no global block (anything may arrive in a message) is not freed.
    if (GlobalSize(Drop) != 0) DragFinish(Drop);
}

// Releases the drop block once the dispatch of the drop message is over, after every handler
// (also when one raises); called outside a dispatch, when the one handler ends.
class TDropRelease {
public:
    TDropRelease(HDROP Drop, TObject* Sender) {
        if (!Drop || std::find(PendingDrops.begin(), PendingDrops.end(), Drop) != PendingDrops.end()) return;
        PendingDrops.push_back(Drop);
        auto* dispatcher = dynamic_cast<TMessageEventDispatcher*>(Sender);
        if (dispatcher && dispatcher->RunAfterDispatch([Drop] { ReleaseDrop(Drop); })) return;
        FDrop = Drop;
    }
    ~TDropRelease() {
        if (FDrop) ReleaseDrop(FDrop);
    }
    TDropRelease(const TDropRelease&) = delete;
    TDropRelease& operator=(const TDropRelease&) = delete;

private:
    HDROP FDrop = nullptr;
};

// The extension of a file name: from its last full stop to the end, unless a backslash or a drive
// colon follows that full stop. Double-byte characters are stepped over whole: their second byte
// may be a backslash.
AnsiString FileExtension(const AnsiString& Name) {
    std::size_t dot = AnsiString::npos;
    for (std::size_t i = 0; i < Name.size(); ++i) {
        const char c = Name[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < Name.size()) {
            ++i;
        } else if (c == '.') {
            dot = i;
        } else if (c == '\\' || c == ':') {
            dot = AnsiString::npos;
        }
    }
    return dot == AnsiString::npos ? AnsiString() : Name.substr(dot);
}

// ---------------------------------------------------------------- COM
// COM for the calling thread, for as long as the object lives; given back only when taken.
class TComScope {
public:
    TComScope() : FInitialized(SUCCEEDED(CoInitialize(nullptr))) {}
    ~TComScope() {
        if (FInitialized) CoUninitialize();
    }
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;

private:
    bool FInitialized;
};

}  // namespace

// ---------------------------------------------------------------- TFileDrop
TFileDrop::TFileDrop(TComponent* AOwner) : TSnatcherUser(AOwner), FFiles(std::make_unique<TStringList>()) {}

TFileDrop::~TFileDrop() {
    // Switched off while the component is whole, so that the window stops accepting files.
    try {
        SetActive(false);
    } catch (...) {
        HandleException(std::current_exception());
    }
}

void TFileDrop::DefineHandlers() { DefineHandler(WM_DROPFILES, TMessageEvent::Bind<&TFileDrop::DropHandler>(this)); }

void TFileDrop::DoActivate(bool Value) {
    TSnatcherUser::DoActivate(Value);
    if (IsDesigning()) return;
    const HWND handle = GetHandle();
    if (!handle) return;
    DragAcceptFiles(handle, Value);
    for (UINT msg : DropProtocolMessages)
        ChangeWindowMessageFilterEx(handle, msg, Value ? MSGFLT_ALLOW : MSGFLT_DISALLOW, nullptr);
}

void TFileDrop::DropHandler(TObject* Sender, TMessage& Message, bool& Handled) {
    const HDROP drop = reinterpret_cast<HDROP>(Message.WParam);
    const TDropRelease release(drop, Sender);

    FFiles->Clear();
    const std::optional<TDropList> list = CheckDropBlock(drop);
    if (!list) {
        Handled = true;
        return;
    }
    for (UINT i = 0; i < list->Count; ++i) {
        AnsiString name = DroppedName(drop, i, list->Wide);
        if (FFollowLink && FileExtension(name) == ".lnk") name = ResolveShortcutFile(name);
        FFiles->Add(name);
    }
    POINT point{};
    DragQueryPoint(drop, &point);
    FDropPoint = TPoint{point.x, point.y};

    if (FOnDropFiles) FOnDropFiles(this);

    if (FActivateWindow) {
        // Only a top-level window can be activated: a bound child window (a group box on a
        // form) brings the window that holds it to the front.
        const HWND handle = GetHandle();
        const HWND window = handle ? GetAncestor(handle, GA_ROOT) : nullptr;
        if (window) {
            SetActiveWindow(window);
            SetForegroundWindow(window);
        }
    }
    Handled = true;
}

// ---------------------------------------------------------------- shortcuts
AnsiString ResolveShortcutFile(const AnsiString& FileName) {
    const TComScope com;
    Microsoft::WRL::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.GetAddressOf()))))
        return FileName;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file))) return FileName;
    const WideString wideName = ToWide(FileName, CP_ACP);
    if (wideName.empty() || FAILED(file->Load(wideName.c_str(), STGM_READ))) return FileName;

    // No dialog, and a search for a moved target that gives up after ResolveTimeout.
    const HWND owner = Application ? Application->Handle() : nullptr;
    if (FAILED(link->Resolve(owner, SLR_ANY_MATCH | SLR_NO_UI | (ResolveTimeout << 16)))) return FileName;
    char path[MAX_PATH] = {};
    WIN32_FIND_DATAA found{};
    if (FAILED(link->GetPath(path, MAX_PATH, &found, 0))) return FileName;
    path[MAX_PATH - 1] = '\0';
    // A link to no file system path, or to a target that is gone, stands for itself.
    if (!path[0] || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return FileName;
    return path;
}

}  // namespace Ovk
