#pragma once
// The editor started from a click in another program (the clock's right-click on Wayland) is
// handed an activation token (XDG_ACTIVATION_TOKEN) to come to the front with the keyboard. Qt
// from 6.5 on spends it on the first window itself; an older Qt ignores it, so the editor asks
// to be activated once its window is shown.
class QWidget;

namespace quarvel {

// Call before the window is shown; does nothing where Qt takes the token itself, or none came.
void ComeToFrontWhenHandedOver(QWidget& window);

}  // namespace quarvel
