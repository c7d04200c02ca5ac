// SPDX-License-Identifier: MIT
#include "tools/unit_conversion.h"

namespace {

/// One arithmetic step applied to the value: v + k, v - k, v * k or v / k.
struct Step {
    wchar_t op;
    double k;
};

/// The steps are carried out in the written order, so that a division stays a division and a product
/// of two factors stays two multiplications: 1 C gives 33.799999999999955 F, never a rounded 33.8.
constexpr int kMostSteps = 3;
struct Unit {
    const wchar_t* label;
    Step toBase[kMostSteps];
    Step fromBase[kMostSteps];
};

double apply(const Step (&steps)[kMostSteps], double v) {
    for (const Step& step : steps) {
        switch (step.op) {
            case L'+': v = v + step.k; break;
            case L'-': v = v - step.k; break;
            case L'*': v = v * step.k; break;
            case L'/': v = v / step.k; break;
            default: return v;
        }
    }
    return v;
}

constexpr double kInch = 0.0254, kMile = 1609.344;

const Unit kLength[] = {
    {L"m", {}, {}},
    {L"km", {{'*', 1000}}, {{'*', 0.001}}},
    {L"cm", {{'*', 0.01}}, {{'*', 100}}},
    {L"mm", {{'*', 0.001}}, {{'*', 1000}}},
    {L"um", {{'*', 1e-6}}, {{'*', 1e6}}},
    {L"nm", {{'*', 1e-9}}, {{'*', 1e9}}},
    {L"ft", {{'*', 0.3048}}, {{'/', 0.3048}}},
    {L"in", {{'*', kInch}}, {{'/', kInch}}},
    {L"yd", {{'*', 0.9144}}, {{'/', 0.9144}}},
    {L"mi", {{'*', kMile}}, {{'/', kMile}}},
    {L"ly", {{'*', 9460730472580800.0}}, {{'/', 9460730472580800.0}}},
};

const Unit kArea[] = {
    {L"m2", {}, {}},
    {L"km2", {{'*', 1e6}}, {{'*', 1e-6}}},
    {L"cm2", {{'*', 0.0001}}, {{'*', 10000}}},
    {L"a", {{'*', 100}}, {{'*', 0.01}}},
    {L"ha", {{'*', 10000}}, {{'*', 0.0001}}},
    {L"sq in", {{'*', kInch}, {'*', kInch}}, {{'/', kInch}, {'/', kInch}}},
    {L"sq mi", {{'*', kMile}, {'*', kMile}}, {{'/', kMile}, {'/', kMile}}},
};

const Unit kVolume[] = {
    {L"m3", {}, {}},
    {L"dm3", {{'*', 0.001}}, {{'*', 1000}}},
    {L"L", {{'*', 0.001}}, {{'*', 1000}}},
    {L"mL", {{'*', 1e-6}}, {{'*', 1e6}}},
    {L"cm3", {{'*', 1e-6}}, {{'*', 1e6}}},
    {L"cu in", {{'*', kInch}, {'*', kInch}, {'*', kInch}}, {{'/', kInch}, {'/', kInch}, {'/', kInch}}},
    // The fluid ounce is taken as 3e-5 m3 exactly.
    {L"fl oz", {{'*', 3e-5}}, {{'/', 3e-5}}},
};

const Unit kMass[] = {
    {L"kg", {}, {}},
    {L"g", {{'*', 0.001}}, {{'*', 1000}}},
    {L"ct", {{'*', 0.0002}}, {{'/', 0.0002}}},
    // The mass ounce is taken as 0.028 kg; the ounce-force below uses the full avoirdupois ounce.
    {L"oz", {{'*', 0.028}}, {{'/', 0.028}}},
    {L"lb", {{'*', 0.45359237}}, {{'/', 0.45359237}}},
    {L"t", {{'*', 1000}}, {{'*', 0.001}}},
};

const Unit kSpeed[] = {
    {L"m/s", {}, {}},
    {L"km/h", {{'*', 1000}, {'/', 3600}}, {{'*', 3600}, {'/', 1000}}},
    {L"mph", {{'*', kMile}, {'/', 3600}}, {{'*', 3600}, {'/', kMile}}},
};

const Unit kForce[] = {
    {L"N", {}, {}},
    {L"dyn", {{'*', 1e-5}}, {{'*', 100000}}},
    {L"kgf", {{'*', 9.80665}}, {{'/', 9.80665}}},
    {L"ozf", {{'*', 0.2780138509537812}}, {{'/', 0.2780138509537812}}},
};

const Unit kPressure[] = {
    {L"Pa", {}, {}},
    {L"atm", {{'*', 101325}}, {{'/', 101325}}},
    {L"bar", {{'*', 100000}}, {{'*', 1e-5}}},
    {L"torr", {{'*', 133.3224}}, {{'/', 133.3224}}},
    {L"mmHg", {{'*', 133.3224}}, {{'/', 133.3224}}},
};

const Unit kEnergy[] = {
    {L"J", {}, {}},
    {L"kcal", {{'*', 4186.8}}, {{'/', 4186.8}}},
    {L"eV", {{'*', 1.60217733e-19}}, {{'/', 1.60217733e-19}}},
    {L"erg", {{'*', 1e-7}}, {{'*', 1e7}}},
    {L"Ry", {{'*', 2.179872e-18}}, {{'/', 2.179872e-18}}},
};

// The only category with offsets: "C" and "F" always pass through kelvin.
const Unit kTemperature[] = {
    {L"K", {}, {}},
    {L"C", {{'+', 273.15}}, {{'-', 273.15}}},
    {L"F", {{'+', 459.67}, {'*', 5}, {'/', 9}}, {{'*', 9}, {'/', 5}, {'-', 459.67}}},
};

template <std::size_t N>
const Unit* find(const Unit (&units)[N], const std::wstring& label) {
    for (const Unit& unit : units)
        if (label == unit.label) return &unit;
    return nullptr;
}

/// Source to base unit, base unit to target. An unknown source is taken as the base unit itself.
template <std::size_t N>
double convert(const Unit (&units)[N], const std::wstring& source, const std::wstring& target, double v,
               bool& resultValid) {
    if (source == target) return v;
    if (const Unit* from = find(units, source)) v = apply(from->toBase, v);
    const Unit* to = find(units, target);
    if (!to) {
        resultValid = false;
        return v;
    }
    return apply(to->fromBase, v);
}

}  // namespace

const wchar_t* const kCategoryNames[kCategoryCount + 1] = {
    L"Length", L"Area", L"Volume", L"Mass", L"Speed", L"Force", L"Pressure", L"Energy", L"Temperature", nullptr,
};

const wchar_t* const kUnitStrings[kCategoryCount] = {
    L"m:km:cm:mm:um:nm:ly:mi:yd:ft:in",
    L"m2:km2:cm2:sq mi:ha:a:sq in",
    L"m3:dm3:L:mL:cm3:cu in:fl oz",
    L"kg:g:ct:oz:lb:t",
    L"m/s:km/h:mph",
    L"N:dyn:kgf:ozf",
    L"Pa:atm:bar:torr:mmHg",
    L"J:kcal:eV:erg:Ry",
    L"K:C:F",
};

double ConvertLength(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kLength, s, t, v, ok);
}
double ConvertArea(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kArea, s, t, v, ok);
}
double ConvertVolume(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kVolume, s, t, v, ok);
}
double ConvertMass(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kMass, s, t, v, ok);
}
double ConvertSpeed(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kSpeed, s, t, v, ok);
}
double ConvertForce(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kForce, s, t, v, ok);
}
double ConvertPressure(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kPressure, s, t, v, ok);
}
double ConvertEnergy(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kEnergy, s, t, v, ok);
}
double ConvertTemperature(const std::wstring& s, const std::wstring& t, double v, bool& ok) {
    return convert(kTemperature, s, t, v, ok);
}

const CategoryRoutine kCategoryRoutines[kCategoryCount] = {
    ConvertLength, ConvertArea,     ConvertVolume, ConvertMass,        ConvertSpeed,
    ConvertForce,  ConvertPressure, ConvertEnergy, ConvertTemperature,
};
