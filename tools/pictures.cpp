// Chooses each picture's art and size; the sizes follow how the game places and collides them.
#include "pictures.h"

#include "lettering.h"
#include "paint.h"
#include "sprites.h"

namespace {

const sf::Color deepGold(255, 158, 34);

// Headings and numbers share a size so "LEVEL 3" reads as one line; the long results
// labels are a size smaller so they end at x = 380 without running off the left edge.
void paintCaptions(Pictures& pictures)
{
    Lettering heading{4, paleGold, deepGold};
    Lettering label{3, paleGold, deepGold};
    pictures["level.png"] = paintCaption("LEVEL", heading);
    pictures["score.png"] = paintCaption("SCORE", heading);
    pictures["monsterskilled.png"] = paintCaption("SQUIDS DESTROYED", label);
    pictures["torpedosfired.png"] = paintCaption("TORPEDOES FIRED", label);
    pictures["gameover.png"] = paintCaption("GAME OVER", Lettering{6, sf::Color(255, 204, 176), sf::Color(224, 36, 44)});
}

// Ten cells of 28 px: 280 wide, a multiple of 20 as the game's half-cell origin needs.
void paintNumbers(Pictures& pictures)
{
    Lettering digits{4, paleGold, deepGold};
    pictures["numbers.png"] = paintDigitStrip(digits, 28);
    pictures["minus.png"] = paintMinus(digits, 28, 6);   // the game raises it by 6 px
}

} // namespace

Pictures paintPictures()
{
    Pictures pictures;
    pictures["submarine.png"] = paintSubmarine();
    pictures["squid.png"] = paintSquid();
    pictures["torpedo.png"] = paintTorpedo();
    pictures["explosion.png"] = paintExplosion();
    paintCaptions(pictures);
    paintNumbers(pictures);
    return pictures;
}
