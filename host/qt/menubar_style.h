// The application's style, with one change: the icon of a menu bar's extension button.
#pragma once

namespace host {
// Sets the desktop's own style with the extension icon loaded when first drawn; call it before
// the first widget is made.
void installmenubarstyle();
}  // namespace host
