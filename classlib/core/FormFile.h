#pragma once
// Form files: a text format of the project's own (UTF-8) describing a root component (a form),
// its published properties and the tree of components it owns.
//
//   # comment to end of line
//   TZLVFm ZLVFm {
//     Caption = "Zelvano"            # string, escapes \\ \" \r \n \t and \xHH
//     Left = 100                     # integer: decimal with optional '-', or 0x hexadecimal
//     Ratio = 2.5                    # float
//     Visible = False                # enumeration or Boolean by name
//     BorderIcons = [biSystemMenu, biMinimize]   # set by names
//     ActiveControl = Button1        # a component of the root by name, or nil
//     OnCreate = FormCreate          # a published method of the root by name, or nil
//     Font.Height = -12              # a property of a persistent object held by a property
//     Items = "a\r\nb\r\n"           # a defined property (DefineProperties), a string
//     Columns = ( { Caption = "a" } { Caption = "b" } )   # the items of a collection
//     TGroupBox GroupBox1 {          # a component owned by the root, nested under the enclosing
//       TButton Button1 { }          #   component (SetParentComponent)
//     }
//   }
#include "Component.h"
#include <string>
#include <string_view>

// Reads a form file's text (UTF-8) into an existing root component (a form): sets the root's
// properties, creates the nested components owned by the root through the class registry,
// resolves references and handlers once every component exists, binds the root's published
// fields by name, then runs Loaded on each component (root included) exactly once.
// A malformed file raises EReadError naming the line and what was expected; the components
// created by the failed read are freed again (properties already set on the root stay set).
void ReadComponentText(TComponent* root, std::string_view text);

// Writes the root and every component it owns (nested under GetParentComponent). Ordinal
// properties are stored unless they equal their declared default; strings, floats, references,
// handlers and collections are stored unless empty, zero, nil or without items; defined
// properties when they say they have data.
std::string WriteComponentText(TComponent* root);
