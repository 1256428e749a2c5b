#include "forms/Unit_Recover.h"

namespace velomar {

TForm_Recover::TForm_Recover(RecoverRestores restores) : Form(RecoverLayout()), logic_(*this, std::move(restores)) {
  logic_.Wire();
}

}  // namespace velomar
