#include "link/transfer_ui.h"

namespace v5 {

void TransferUi::Button1Click() {
    cancelled_ = true;
    Hide();
    if (cancelHandler_) cancelHandler_();
}

}  // namespace v5
