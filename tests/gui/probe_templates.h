#pragma once
// Small templates of the tests' own, beside the program's real ones.
#include <span>

#include "platform/ui.h"

namespace quorvel::test {

// "PROBE": a label of each alignment, a one-line and a multi-line edit, three radio buttons
// (105-107), a default button (1) and a plain one (1021), an icon; font ＭＳ ゴシック 12.
const platform::DialogTemplate& probeTemplate();
// "NODEFAULT": an edit (101) and two plain buttons (1, 2); font ＭＳ Ｐゴシック 12.
const platform::DialogTemplate& noDefaultTemplate();

std::span<const platform::DialogTemplate> probeTemplates();

}  // namespace quorvel::test
