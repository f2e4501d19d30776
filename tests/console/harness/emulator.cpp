#include "console/harness/emulator.h"

// flags.h first: it decides the layout of struct mCore in the headers below.
#include <mgba/flags.h>
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba-util/vfs.h>

#include <cstdarg>

#include "common/console.h"

namespace pixcell::console {

namespace {

// The ROM turns the objects on once it has copied and placed every cell,
// which takes a few frames for a big sprite; the picture is taken from a
// whole frame drawn after that.
constexpr std::uint32_t kDisplayControl = 0x04000000;
constexpr std::uint32_t kBackgroundPalette = 0x05000000;
constexpr std::uint32_t kObjectPalette = 0x05000200;
constexpr std::uint32_t kObjectsOn = 0x1000;
constexpr int kMostFramesToSetUp = 120;
constexpr int kFramesAfterSetUp = 2;

void discard_log(struct mLogger*, int, enum mLogLevel, const char*, va_list) {}

struct mLogger silent_logger = {discard_log, nullptr};

// The emulator keeps 8 bits per channel with the 5 bits at the top of each
// byte; the top byte of the pixel is not alpha and means nothing.
std::uint16_t to_15_bits(color_t pixel) {
    const std::uint32_t p = static_cast<std::uint32_t>(pixel) & 0x00FFFFFFu;
    return static_cast<std::uint16_t>(((p >> 3) & 0x1F) | ((p >> 11) & 0x1F) << 5 |
                                      ((p >> 19) & 0x1F) << 10);
}

}  // namespace

std::optional<ScreenPicture> run_rom(const std::vector<std::uint8_t>& rom, std::string& error,
                                     RomColours* colours) {
    // The picture of the last frame after set-up, as ever.
    std::optional<std::vector<TimedPicture>> pictures = run_rom_frames(rom, kFramesAfterSetUp, 0, error, colours);
    if (!pictures) return std::nullopt;
    return std::move(pictures->back().picture);
}

std::optional<std::vector<TimedPicture>> run_rom_frames(const std::vector<std::uint8_t>& rom, int frames,
                                                        std::uint32_t word_address, std::string& error,
                                                        RomColours* colours) {
    static_assert(sizeof(color_t) == 4, "the emulator library is built for 32-bit pixels");
    mLogSetDefaultLogger(&silent_logger);

    struct VFile* image = VFileFromConstMemory(rom.data(), rom.size());
    struct mCore* core = image ? mCoreFindVF(image) : nullptr;
    if (!core) {
        if (image) image->close(image);
        error = "the emulator does not take the ROM image as a cartridge";
        return std::nullopt;
    }
    if (!core->init(core)) {
        image->close(image);
        error = "the emulator core did not start";
        return std::nullopt;
    }
    mCoreInitConfig(core, nullptr);
    std::vector<color_t> frame(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0);
    core->setVideoBuffer(core, frame.data(), kScreenWidth);
    // The core owns the image from here and closes it when it is unloaded.
    const bool loaded = core->loadROM(core, image);
    bool set_up = false;
    std::vector<TimedPicture> pictures;
    if (loaded) {
        core->reset(core);
        for (int i = 0; i < kMostFramesToSetUp && !set_up; ++i) {
            core->runFrame(core);
            set_up = (core->busRead16(core, kDisplayControl) & kObjectsOn) != 0;
        }
        for (int i = 0; set_up && i < frames; ++i) {
            core->runFrame(core);
            TimedPicture shot;
            shot.picture.resize(frame.size());
            for (std::size_t p = 0; p < frame.size(); ++p) shot.picture[p] = to_15_bits(frame[p]);
            shot.word = word_address ? core->busRead32(core, word_address) : 0;
            pictures.push_back(std::move(shot));
        }
        if (!set_up) error = "the ROM never turned the objects on";
        if (colours) {
            // Bit 15 of a palette entry shows nothing.
            colours->backdrop =
                static_cast<std::uint16_t>(core->busRead16(core, kBackgroundPalette) & 0x7FFF);
            for (std::uint32_t i = 0; i < 256; ++i)
                colours->objects[i] =
                    static_cast<std::uint16_t>(core->busRead16(core, kObjectPalette + 2 * i) & 0x7FFF);
        }
    } else {
        image->close(image);
        error = "the emulator did not load the ROM image";
    }
    mCoreConfigDeinit(&core->config);
    core->deinit(core);
    if (!set_up || pictures.empty()) return std::nullopt;
    return pictures;
}

}  // namespace pixcell::console
