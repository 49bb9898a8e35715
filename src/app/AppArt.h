// AppArt: the program's own small pictures, drawn at run time: the application icon (a framed
// landscape over a second picture, the gallery) and the floppy disk of the preset save button.
#pragma once

#include <QIcon>

namespace zetgallery {

QIcon MakeProgramIcon();
QIcon MakeFloppyDiskIcon();

}  // namespace zetgallery
