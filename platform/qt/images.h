#pragma once
// The module's resources as the backend keeps them: images by name and the help file's name.
#include <QPixmap>
#include <QString>

#include <string_view>

#include "platform/ui.h"

namespace quorvel::platform::qt {

void setModuleResources(const ModuleResources& resources);

// Names compare without regard to case, as Windows resource names do ("MYAPP" is "MyApp").
// A null pixmap when there is no such image.
QPixmap moduleImage(std::string_view name);

QString helpFileName();

}  // namespace quorvel::platform::qt
