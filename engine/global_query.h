// The query the global search sends to every open file, made from what the
// user typed. Shared by the global search window and `ctu search --global`.
#pragma once

#include "engine/query.h"

namespace cartulo {

// A typed text without any comma or colon is a plain word, looked for in the
// card text or in the entry: "S:2," + q + ",ntry:" + q. Anything else is
// already a query of the language and goes unchanged. A marked place is never
// read as a comma or a colon, and the marks follow the text into both copies.
MarkedQuery GlobalQuery(const MarkedQuery& typed);

}  // namespace cartulo
