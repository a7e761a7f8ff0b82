#pragma once
// The weight formulas of the calculator pages. Inputs are the single-precision values of input
// conversion; every formula runs in extended precision, in exactly the order written, so that the
// shown weight matches the program's results digit for digit. Weights are in kilograms.

enum class BarShape { Round, Square, Hexagonal };

// Density of carbon steel (t/m3) for which the section tables give their unit weights.
inline constexpr long double kReferenceDensity = 7.85L;

// Pipe: outer diameter and wall thickness in mm, length in m, density in t/m3.
long double PipeWeight(float outerDiameter, float wallThickness, float length, float density);

// The constant of a bar shape: (((k × a) × a) × L) × ρ.
long double BarConstant(BarShape shape);
// Bar: size (diameter, side or width across flats) in mm, length in m.
long double BarWeight(BarShape shape, float size, float length, float density);

// Ordinary plate: length, width and thickness in mm.
long double PlateWeight(float length, float width, float thickness, float density);

// Rolled section from its unit weight (kg/m at the reference density) and a length in m.
long double SectionWeight(float unitWeight, float length, float density);

// Checkered plate from its unit weight (kg/m² at the reference density); length, width in mm.
long double CheckeredPlateWeight(float length, float width, float unitWeight, float density);
