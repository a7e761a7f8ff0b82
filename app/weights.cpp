#include "app/weights.h"

namespace {

// Each constant is the extended value nearest to the decimal the program has always used.
constexpr long double kPipe = 0.0031416L;        // π/1000 with π taken as 3.1416
constexpr long double kRoundBar = 0.000785398L;  // π/4000 cut to six significant digits
constexpr long double kSquareBar = 0.001L;
constexpr long double kHexagonalBar = 0.0008659872L;  // as used, not √3/2000 = 0.000866025…
constexpr long double kMillimetres = 0.000001L;       // mm³ × t/m³ → kg

}  // namespace

long double PipeWeight(float outerDiameter, float wallThickness, float length, float density) {
    const long double t = wallThickness;
    const long double meanDiameter = static_cast<long double>(outerDiameter) - t;
    return (((kPipe * t) * meanDiameter) * length) * density;
}

long double BarConstant(BarShape shape) {
    switch (shape) {
        case BarShape::Round: return kRoundBar;
        case BarShape::Square: return kSquareBar;
        case BarShape::Hexagonal: return kHexagonalBar;
    }
    return kRoundBar;
}

long double BarWeight(BarShape shape, float size, float length, float density) {
    return (((BarConstant(shape) * size) * size) * length) * density;
}

long double PlateWeight(float length, float width, float thickness, float density) {
    return (((kMillimetres * length) * width) * thickness) * density;
}

long double SectionWeight(float unitWeight, float length, float density) {
    return ((static_cast<long double>(unitWeight) * length) * density) / kReferenceDensity;
}

long double CheckeredPlateWeight(float length, float width, float unitWeight, float density) {
    return ((((kMillimetres * length) * width) * unitWeight) * density) / kReferenceDensity;
}
