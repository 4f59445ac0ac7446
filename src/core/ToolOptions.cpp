#include "core/ToolOptions.h"

namespace ToolOptions {

namespace {

template <typename Enum, std::size_t N>
std::optional<Enum> lookUp(const std::array<Enum, N>& cases, const QString& raw)
{
    for (Enum value : cases) {
        if (rawValue(value) == raw) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace

QString rawValue(SplitMode mode)
{
    switch (mode) {
    case SplitMode::each: return QStringLiteral("each");
    case SplitMode::every: return QStringLiteral("every");
    case SplitMode::ranges: return QStringLiteral("ranges");
    }
    return {};
}

QString rawValue(CompressionLevel level)
{
    switch (level) {
    case CompressionLevel::light: return QStringLiteral("light");
    case CompressionLevel::balanced: return QStringLiteral("balanced");
    case CompressionLevel::strong: return QStringLiteral("strong");
    }
    return {};
}

QString rawValue(InkColor ink)
{
    switch (ink) {
    case InkColor::black: return QStringLiteral("black");
    case InkColor::blue: return QStringLiteral("blue");
    }
    return {};
}

std::optional<SplitMode> splitModeFromRawValue(const QString& raw)
{
    return lookUp(splitModes, raw);
}

std::optional<CompressionLevel> compressionLevelFromRawValue(const QString& raw)
{
    return lookUp(compressionLevels, raw);
}

std::optional<InkColor> inkColorFromRawValue(const QString& raw)
{
    return lookUp(inkColors, raw);
}

} // namespace ToolOptions
