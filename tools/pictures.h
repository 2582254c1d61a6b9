// The eleven pictures of res/, by file name.
#pragma once

#include "sfml_compat.h"

#include <map>
#include <string>

using Pictures = std::map<std::string, sf::Image>;

Pictures paintPictures();
