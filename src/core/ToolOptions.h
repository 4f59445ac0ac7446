#pragma once

#include <QString>
#include <array>
#include <optional>

// How the split tool groups pages.
enum class SplitMode { each, every, ranges };
// How strongly the compression tool re-encodes images.
enum class CompressionLevel { light, balanced, strong };
// The ink of a drawn signature.
enum class InkColor { black, blue };

namespace ToolOptions {

inline constexpr std::array<SplitMode, 3> splitModes = {SplitMode::each, SplitMode::every,
                                                        SplitMode::ranges};
inline constexpr std::array<CompressionLevel, 3> compressionLevels = {CompressionLevel::light,
                                                                      CompressionLevel::balanced,
                                                                      CompressionLevel::strong};
inline constexpr std::array<InkColor, 2> inkColors = {InkColor::black, InkColor::blue};

QString rawValue(SplitMode mode);
QString rawValue(CompressionLevel level);
QString rawValue(InkColor ink);

std::optional<SplitMode> splitModeFromRawValue(const QString& raw);
std::optional<CompressionLevel> compressionLevelFromRawValue(const QString& raw);
std::optional<InkColor> inkColorFromRawValue(const QString& raw);

} // namespace ToolOptions
