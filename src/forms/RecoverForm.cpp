#include "forms/RecoverForm.h"

#include "forms/VelomarLook.h"

namespace velomar {

RecoverForm::RecoverForm(RecoverRestores restores)
    : Form(RecoverLayout(), VelomarLook()), logic_(*this, std::move(restores)) {
  logic_.Wire();
}

}  // namespace velomar
