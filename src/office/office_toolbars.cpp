#include "office/office_toolbars.h"

namespace kelvano {

void RemoveOfficeToolbars(Platform& platform) { (void)platform; }

}  // namespace kelvano
