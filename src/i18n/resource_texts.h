#pragma once

// The program's resource texts in their design language. Each is shown through res(), which hands
// back the dictionary's text for the interface language; code that compares a control's text with
// one of them compares two translated texts.

namespace tarvel::rs {

// Prompts of the choosers.
inline constexpr char ChooseCountry[] = "Choose Country !";
inline constexpr char ChooseCity[] = "Choose city!";
inline constexpr char ChooseManufacturer[] = "Choose Manufacturer!";
inline constexpr char ChoosePvModules[] = "Choose PV-Modules !";

// Help texts of the design pages; pieces are joined with CR LF by the caller.
inline constexpr char HelpProject1[] = "1.Location(country,city);";
inline constexpr char HelpProject2[] = "2.Design temperatrue,tilt angel,azimuth;";
inline constexpr char HelpProject3[] =
    "3.Energy:per year and per kilowatt can produce a kilowatt-hour electricity in local light conditions.";
inline constexpr char HelpInverter[] = "Choose the inverter model you need.";
inline constexpr char HelpModuleSelect[] = "1.Module data select;";
inline constexpr char HelpCompatible[] = "2.PV/Inverter compatible design;";
inline constexpr char HelpBestRatio[] = "Best range of Nominal power ratio is between 80% and 110%;";
inline constexpr char HelpOptimal[] =
    "3.According to this software design the most optimal matching software .";
inline constexpr char HelpCabling1[] = "Cabling:";
inline constexpr char HelpCabling2[] = "Power loss rate can not over1.0%,If it is over,please re-wiring.";
inline constexpr char HelpSolutionOptions[] = "Solution options:";
inline constexpr char HelpCabling3[] =
    "Reduce cable length;increace cross-sectional area;Wire Material re-select.";

// The yield disclaimer of the Result page (with its leading blank).
inline constexpr char Disclaimer[] =
    " The calulation of the yield is based on estimated values and mathematical models. This software is in "
    "no "
    "case liable for the real yield, which can deviate the estimated values, e.g due to contamination or "
    "different efficiencies of the modules.";

inline constexpr char MountingFix[] = "fix";

// System list and Result page words.
inline constexpr char StringA[] = "String-A:";
inline constexpr char StringB[] = "String-B:";
inline constexpr char StringC[] = "String-C:";
inline constexpr char NotSelect[] = "Not select.";
inline constexpr char Parallel[] = "Parallel";
inline constexpr char Group[] = "Group";
inline constexpr char Series[] = "Series";
inline constexpr char Block[] = "Block";
inline constexpr char CountryPrefix[] = "Country:";
inline constexpr char CityPrefix[] = "City:";
inline constexpr char TiltAnglePrefix[] = "Tilt angle:";
inline constexpr char AzimuthPrefix[] = "Azimuth:";
inline constexpr char DegreeSuffix[] = " Degree";

// Catalog failures.
inline constexpr char DatabaseReviewError[] = "Database review error";

// About box.
inline constexpr char ProductInfoChinese[] =
    "Tarvel 光伏设计软件用于并网光伏电站的设计：它检查所选光伏组件与 Tarvel 逆变器是否匹配，"
    "估算电站的年发电量，并帮助您选择最合适的逆变器。";
inline constexpr char ProductInfoEnglish[] =
    "Tarvel PV Designer designs grid-connected photovoltaic plants: it checks whether the chosen PV modules "
    "match a Tarvel inverter, estimates the yearly energy of the plant and helps you choose the most "
    "suitable "
    "inverter.";
inline constexpr char VersionPrefix[] = "version: V";

} // namespace tarvel::rs

namespace tarvel::rs {

// Note shown for cities whose radiation values are those of a reference city.
inline constexpr char ReferenceNote[] = "Surface Radiation every month of this city is the reference in";

} // namespace tarvel::rs

namespace tarvel::rs {

// System list lines of the chosen inverter; each is followed directly by its value.
inline constexpr char InverterModelPrefix[] = "Module type:";
inline constexpr char MaxDcPowerPrefix[] = "Max. PV-generator power[KW]:";
inline constexpr char MaxAcPowerPrefix[] = "Max.AC power[KW]:";
inline constexpr char EuroEfficiencyPrefix[] = "Euro efficiency (at nom) :";
inline constexpr char MaxEfficiencyPrefix[] = "Max. efficiency :";
inline constexpr char GridVoltagePrefix[] = "Gride voltage[V]:";
inline constexpr char GridFrequencyPrefix[] = "Grid frequency range[Hz]:";
inline constexpr char ProtectionTypePrefix[] = "Protection Type:";

// Maintenance picture store.
inline constexpr char PictureStored[] = "保存图片成功！";
inline constexpr char NoPictureToStore[] = "There is no picture to store.";

} // namespace tarvel::rs

namespace tarvel::rs {

// Advice of the string checks; pieces joined with CR LF by the caller (an empty piece is an empty line).
inline constexpr char AdviceDangerTitle[] = "The inverter is in danger.";
inline constexpr char AdviceOverVoltage[] =
    "The open-circuit voltage of the PV-modules in the string is larger than "
    "the maximum input voltage of the inverter.";
inline constexpr char AdviceOverVoltageOptions[] =
    "Reduce the number of PV-modules in the strings,Select other modules;select another inverter.";
inline constexpr char AdvicePowerLoss[] = "Power loss";
inline constexpr char AdviceOverCurrent[] =
    "The MPP-current of the PV-string is higher than the current permitted by "
    "the inverter, which will results in power losses!";
inline constexpr char AdviceOverCurrentOptions[] =
    "Reduce the number of strings;Select other modules;select another "
    "inverter.";
inline constexpr char AdviceLowMpp[] =
    "The MPP-voltage of the PV-modules in the strings is lower than the permitted "
    "MPP-voltage of the inverter,which will cause power losses.";
inline constexpr char AdviceLowMppOptions[] =
    "Increase the number of PV-modules in the strings,Select other modules;select another inverter.";
inline constexpr char SystemInDanger[] = "System in danger.Please check your dimensioning!";

// Module lines of the system list.
inline constexpr char MppCurrentPrefix[] = "MPP-current:";
inline constexpr char MppVoltagePrefix[] = "MPP-voltage:";
inline constexpr char MppPowerPrefix[] = "MPP-Power:";

// The material whose resistivity is copper's, as the material choosers show it.
inline constexpr char Copper[] = "Cu";

} // namespace tarvel::rs

namespace tarvel::rs {

// Catalog dialogs.
inline constexpr char FillInAllFields[] = "Please check if some unit not filled!";
inline constexpr char LoadInverterPicture[] = "Please load this inverter picture!";
inline constexpr char InverterExists[] = "Database has added this inverter information!";
inline constexpr char PanelExists[] = "Database has added this Solar panels!";
inline constexpr char CityExists[] = "Database has added this City Information!";
inline constexpr char FormatError[] = "Fill in incomplete or data format error,please check!";
inline constexpr char InverterNote[] =
    "Note: Please fill in strictly  according to the e.g. format, especially  the red part of the font, and pay "
    "attention to the accuracy between the units and numbers!";
inline constexpr char PanelNote[] =
    "Note: Please fill in strictly  according to the e.g. format,  and pay attention to the accuracy between the "
    "units and numbers!";

} // namespace tarvel::rs
