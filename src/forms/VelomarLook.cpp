#include "forms/VelomarLook.h"

#include "forms/Artwork.h"

namespace velomar {

const ui::Look& VelomarLook() {
  static const ui::Look look{"Velomar", "Tahoma", "VelomarPart", VelomarPictures()};
  return look;
}

}  // namespace velomar
