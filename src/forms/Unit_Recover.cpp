#include "forms/Unit_Recover.h"

#include "forms/VelomarLook.h"

namespace velomar {

TForm_Recover::TForm_Recover(RecoverRestores restores)
    : Form(RecoverLayout(), VelomarLook()), logic_(*this, std::move(restores)) {
  logic_.Wire();
}

}  // namespace velomar
