#include "scenes.h"

#include "paint.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace picturegen {

namespace {

// Calendar order, New Year first: the picture files are numbered in this order.
constexpr std::array kScenes = {
    Scene{"first-sunrise", "初日の出", paintFirstSunrise},
    Scene{"kadomatsu", "門松", paintKadomatsu},
    Scene{"kagami-mochi", "鏡餅", paintKagamiMochi},
    Scene{"kites", "凧揚げ", paintKites},
    Scene{"snowy-valley", "雪景色", paintSnowyValley},
    Scene{"snowman", "雪だるま", paintSnowman},
    Scene{"camellia", "椿", paintCamellia},
    Scene{"plum-and-warbler", "梅と鶯", paintPlumAndWarbler},
    Scene{"hina-dolls", "雛祭り", paintHinaDolls},
    Scene{"rapeseed-field", "菜の花畑", paintRapeseedField},
    Scene{"cherry-river", "桜と川", paintCherryRiver},
    Scene{"night-cherry", "夜桜と提灯", paintNightCherry},
    Scene{"carp-streamers", "鯉のぼり", paintCarpStreamers},
    Scene{"wisteria", "藤棚", paintWisteria},
    Scene{"rice-planting", "田植え", paintRicePlanting},
    Scene{"hydrangea-snail", "紫陽花とかたつむり", paintHydrangeaSnail},
    Scene{"rainy-window", "梅雨の雨（てるてる坊主）", paintRainyWindow},
    Scene{"fireflies", "蛍", paintFireflies},
    Scene{"tanabata", "七夕の笹飾り", paintTanabata},
    Scene{"wind-chime", "風鈴と朝顔", paintWindChime},
    Scene{"goldfish", "金魚", paintGoldfish},
    Scene{"sunflowers", "向日葵", paintSunflowers},
    Scene{"sea-thunderhead", "海と入道雲", paintSeaAndThunderhead},
    Scene{"fireworks", "花火", paintFireworks},
    Scene{"watermelon", "スイカ", paintWatermelon},
    Scene{"fuji", "富士山", paintFuji},
    Scene{"moon-viewing", "月見（すすきと団子）", paintMoonViewing},
    Scene{"rice-scarecrow", "稲穂と案山子", paintRiceAndScarecrow},
    Scene{"cosmos", "コスモス", paintCosmos},
    Scene{"maple-torii", "紅葉と鳥居", paintMapleTorii},
    Scene{"ginkgo-avenue", "銀杏並木", paintGinkgoAvenue},
    Scene{"persimmon", "柿の木", paintPersimmon},
    Scene{"pagoda-maple", "五重塔と紅葉", paintPagodaMaple},
    Scene{"bamboo-grove", "竹林", paintBambooGrove},
    Scene{"migrating-birds", "渡り鳥", paintMigratingBirds},
    Scene{"winter-wind", "枯れ木と木枯らし", paintWinterWind},
    Scene{"winter-night", "冬の夜の雪", paintWinterNight},
};

// FNV-1a of the scene's id: a seed that stays with the scene wherever it moves in the list.
std::uint64_t seedOf(const char* id) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char* c = id; *c; ++c) hash = (hash ^ static_cast<unsigned char>(*c)) * 0x100000001B3ull;
    return hash;
}

}  // namespace

std::span<const Scene> scenes() {
    return kScenes;
}

QImage renderScene(std::size_t index) {
    if (index >= kScenes.size()) throw std::out_of_range("no such scene");
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    Rng rng(seedOf(kScenes[index].id));
    kScenes[index].paint(p, rng);
    p.end();
    return image;
}

BudgetedJpeg sceneJpeg(std::size_t index) {
    return encodeJpegWithin(renderScene(index), kMaxPictureBytes);
}

}  // namespace picturegen
