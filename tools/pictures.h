// The eleven pictures of res/, by file name.
#pragma once

#include <SFML/Graphics/Image.hpp>

#include <map>
#include <string>

using Pictures = std::map<std::string, sf::Image>;

Pictures paintPictures();
