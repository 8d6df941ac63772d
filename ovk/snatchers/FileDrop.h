#pragma once
// The file drop component: a window that accepts files dragged onto it from the shell with the
// classic drop-files protocol, and the following of shell shortcuts to their targets.
#include "SnatcherUser.h"

#include "classlib/core/StringList.h"
#include "classlib/ui/Geometry.h"

#include <memory>

namespace Ovk {

// Bound to a windowed control or to a message snatcher, it makes the bound window accept dropped
// files while it is active. On each drop it lists the full paths of the dropped files in Files
// (shortcuts named "*.lnk" replaced by their targets while FollowLink is true), notes where the
// drop happened in DropPoint, raises OnDropFiles and, while ActivateWindow is true, brings the
// window to the front.
//
// The drop block is released once per drop, when every handler of the drop message has run (the
// other components sharing the window read the same block). A block that does not hold a
// well-formed, non-empty list of names is ignored: no files, no event. Drops may come from other
// processes: while active the component lets the messages of the drop-files protocol through the
// window's message filter, so that an elevated program still receives drops from the shell.
class TFileDrop : public TSnatcherUser {
    ZL_CLASS(TFileDrop)
public:
    explicit TFileDrop(TComponent* AOwner);
    ~TFileDrop() override;

    bool ActivateWindow() const { return FActivateWindow; }
    void SetActivateWindow(bool Value) { FActivateWindow = Value; }
    bool FollowLink() const { return FFollowLink; }
    void SetFollowLink(bool Value) { FFollowLink = Value; }
    // The last drop's paths in the order the shell listed them; emptied at the start of each drop.
    TStringList* Files() const { return FFiles.get(); }
    // Where the last drop happened, in client coordinates of the window that received it.
    TPoint DropPoint() const { return FDropPoint; }
    // Called with the component as Sender once Files and DropPoint are filled.
    const TNotifyEvent& OnDropFiles() const { return FOnDropFiles; }
    void SetOnDropFiles(TNotifyEvent Value) { FOnDropFiles = Value; }

    // The handler of WM_DROPFILES; Message.WParam is the drop block.
    void DropHandler(TObject* Sender, TMessage& Message, bool& Handled);

protected:
    void DefineHandlers() override;
    // Switches the bound window's acceptance of dropped files (not in the design state).
    void DoActivate(bool Value) override;

private:
    bool FActivateWindow = true;
    bool FFollowLink = true;
    std::unique_ptr<TStringList> FFiles;
    TPoint FDropPoint;
    TNotifyEvent FOnDropFiles;
};

// The target path of the shell shortcut file FileName; FileName itself when the target cannot be
// had (no shortcut, a link to no file system path, or a target that is gone). Never shows the
// shell's search dialog and gives up a search for a moved target after a short while.
AnsiString ResolveShortcutFile(const AnsiString& FileName);

}  // namespace Ovk
