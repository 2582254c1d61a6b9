// The eleven pictures of res/, by file name.
#pragma once

#include "sfml_compat_tools.h"

#include <map>
#include <string>

using Pictures = std::map<std::string, sf::Image>;

Pictures paintPictures();
