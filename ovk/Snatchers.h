#pragma once
// Unit Snatchers: taking over the window procedures of windows and handing their messages to any
// number of handlers, and the components built on that.
//
//   TWindowSubclass, SetWindowProc   one replaced window procedure      snatchers/WindowSubclass.h
//   TMessageEventDispatcher          per-message lists of handlers      snatchers/MessageDispatcher.h
//   T...MessageSnatcher              a window shared by many users      snatchers/MessageSnatchers.h
//   TNotificationProxy               removal notices to a callback      snatchers/MessageSnatchers.h
//   TSnatcherUser                    base of the message components     snatchers/SnatcherUser.h
//   TFileDrop, ResolveShortcutFile   files dropped from the shell       snatchers/FileDrop.h
#include "ovk/snatchers/MessageDispatcher.h"
#include "ovk/snatchers/WindowSubclass.h"
#include "ovk/snatchers/MessageSnatchers.h"
#include "ovk/snatchers/SnatcherUser.h"
#include "ovk/snatchers/FileDrop.h"
