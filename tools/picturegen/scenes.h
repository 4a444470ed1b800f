// The seasonal pictures: one drawing function per scene, listed in calendar order.
#pragma once

#include <QImage>
#include <QPainter>

#include "jpeg.h"

#include <cstddef>
#include <span>

namespace picturegen {

class Rng;

using SceneFn = void (*)(QPainter&, Rng&);

struct Scene {
    const char* id;     // ASCII, for logs and tests
    const char* theme;  // what it shows, in Japanese
    SceneFn paint;
};

std::span<const Scene> scenes();

// Draws scene `index` on a fresh kWidth x kHeight picture. Each scene's seed
// comes from its id, so adding, removing or moving a scene changes no other.
QImage renderScene(std::size_t index);

// The largest picture file the program's folder should hold.
inline constexpr std::size_t kMaxPictureBytes = 40000;

// Scene `index` as the picture file the generator writes: baseline JPEG of the
// best quality that fits kMaxPictureBytes.
BudgetedJpeg sceneJpeg(std::size_t index);

// New Year and winter
void paintFirstSunrise(QPainter& p, Rng& rng);
void paintKadomatsu(QPainter& p, Rng& rng);
void paintKagamiMochi(QPainter& p, Rng& rng);
void paintKites(QPainter& p, Rng& rng);
void paintSnowyValley(QPainter& p, Rng& rng);
void paintSnowman(QPainter& p, Rng& rng);
void paintCamellia(QPainter& p, Rng& rng);
void paintPlumAndWarbler(QPainter& p, Rng& rng);
void paintWinterNight(QPainter& p, Rng& rng);
void paintWinterWind(QPainter& p, Rng& rng);

// Spring and the rainy season
void paintHinaDolls(QPainter& p, Rng& rng);
void paintRapeseedField(QPainter& p, Rng& rng);
void paintCherryRiver(QPainter& p, Rng& rng);
void paintNightCherry(QPainter& p, Rng& rng);
void paintCarpStreamers(QPainter& p, Rng& rng);
void paintWisteria(QPainter& p, Rng& rng);
void paintRicePlanting(QPainter& p, Rng& rng);
void paintHydrangeaSnail(QPainter& p, Rng& rng);
void paintRainyWindow(QPainter& p, Rng& rng);

// Summer
void paintFireflies(QPainter& p, Rng& rng);
void paintTanabata(QPainter& p, Rng& rng);
void paintWindChime(QPainter& p, Rng& rng);
void paintGoldfish(QPainter& p, Rng& rng);
void paintSunflowers(QPainter& p, Rng& rng);
void paintSeaAndThunderhead(QPainter& p, Rng& rng);
void paintFireworks(QPainter& p, Rng& rng);
void paintWatermelon(QPainter& p, Rng& rng);

// Autumn
void paintFuji(QPainter& p, Rng& rng);
void paintMoonViewing(QPainter& p, Rng& rng);
void paintRiceAndScarecrow(QPainter& p, Rng& rng);
void paintCosmos(QPainter& p, Rng& rng);
void paintMapleTorii(QPainter& p, Rng& rng);
void paintGinkgoAvenue(QPainter& p, Rng& rng);
void paintPersimmon(QPainter& p, Rng& rng);
void paintPagodaMaple(QPainter& p, Rng& rng);
void paintBambooGrove(QPainter& p, Rng& rng);
void paintMigratingBirds(QPainter& p, Rng& rng);

}  // namespace picturegen
