// The vocabulary of the markup: which tag a name (with its colon, if any)
// stands for.
#pragma once

#include <string_view>

namespace cartulo::richtext {

enum class TagKind {
    Unknown,
    Bold,            // {N} {N:v}
    Italic,          // {C} {C:v}
    Underline,       // {U} {U:v}
    Color,           // {Q} {Q:c}
    Font,            // {F} {F:name}
    Size,            // {T} {T:n}
    Align,           // {J} {J:n}
    LeftMargin,      // {MI:n}
    FirstMargin,     // {MP:n}
    RightMargin,     // {MD:n}
    ParagraphSpace,  // {MU:n}
    Tab,             // {TA:n}
    HSpace,          // {HD:n}
    HSpaceUnits,     // {SP:n}
    Strut,           // {VS:n}
    MoveDown,        // {VD:n}
    Subscript,       // {ID:text}
    Superscript,     // {IU:text}
    Symbol,          // {SY:text}
    Expression,      // {@expr}
    Picture,         // {G:image}
    PictureLeft,     // {GI:image,x}
    PictureRight,    // {GD:image,x}
    Button,          // {B:...}
    PictureMap,      // {H:...}
    Sound,           // {S:sound}
    Link,            // {L:target,text}
    Popup,           // {P:text,argument}
    Formula,         // {FO:formula}
    Object,          // {O:...} ... {/O}
    Frame,           // {FR:...} ... {/FR}
    Background,      // {W:...}
    Table,           // {TB:...} ... {\}
    CellEnd,         // {!}
    RowEnd,          // {-}
    TableEnd,        // {\}
    ObjectEnd,       // {/O}
    FrameEnd,        // {/FR}
};

// A tag's kind from its name; a name with a colon ("T:") and the same name
// without ("T") are different tags. Letter case does not matter.
TagKind KindOfTag(std::string_view name);

// True for the kinds that take a value ("T:"), false for the bare ones ("T").
bool HasValue(std::string_view name);

}  // namespace cartulo::richtext
