#pragma once

// The program's resource texts in their design language. Each is shown through res(), which hands
// back the dictionary's text for the interface language; code that compares a control's text with
// one of them compares two translated texts. One list, so that the texts can also be enumerated
// (the dictionary must hold every one of them).

// clang-format off
// X(name, text)
#define TARVEL_RESOURCE_TEXTS(X) \
    /* Prompts of the choosers. */ \
    X(ChooseCountry, "Choose Country !") \
    X(ChooseCity, "Choose city!") \
    X(ChooseManufacturer, "Choose Manufacturer!") \
    X(ChoosePvModules, "Choose PV-Modules !") \
    /* Help texts of the design pages; pieces are joined with CR LF by the caller. */ \
    X(HelpProject1, "1.Location(country,city);") \
    X(HelpProject2, "2.Design temperatrue,tilt angel,azimuth;") \
    X(HelpProject3, "3.Energy:per year and per kilowatt can produce a kilowatt-hour electricity in local light conditions.") \
    X(HelpInverter, "Choose the inverter model you need.") \
    X(HelpModuleSelect, "1.Module data select;") \
    X(HelpCompatible, "2.PV/Inverter compatible design;") \
    X(HelpBestRatio, "Best range of Nominal power ratio is between 80% and 110%;") \
    X(HelpOptimal, "3.According to this software design the most optimal matching software .") \
    X(HelpCabling1, "Cabling:") \
    X(HelpCabling2, "Power loss rate can not over1.0%,If it is over,please re-wiring.") \
    X(HelpSolutionOptions, "Solution options:") \
    X(HelpCabling3, "Reduce cable length;increace cross-sectional area;Wire Material re-select.") \
    /* The yield disclaimer of the Result page (with its leading blank). */ \
    X(Disclaimer, " The calulation of the yield is based on estimated values and mathematical models. This software is in no case liable for the real yield, which can deviate the estimated values, e.g due to contamination or different efficiencies of the modules.") \
    X(MountingFix, "fix") \
    /* System list and Result page words. */ \
    X(StringA, "String-A:") \
    X(StringB, "String-B:") \
    X(StringC, "String-C:") \
    X(NotSelect, "Not select.") \
    X(Parallel, "Parallel") \
    X(Group, "Group") \
    X(Series, "Series") \
    X(Block, "Block") \
    X(CountryPrefix, "Country:") \
    X(CityPrefix, "City:") \
    X(TiltAnglePrefix, "Tilt angle:") \
    X(AzimuthPrefix, "Azimuth:") \
    X(DegreeSuffix, " Degree") \
    /* Catalog failures. */ \
    X(DatabaseReviewError, "Database review error") \
    /* The user's own copy of the catalog of an installed program; the reason follows. */ \
    X(UserCatalogNotMade, "Your copy of the catalog could not be made:") \
    X(UserCatalogNotUpdated, "Your copy of the catalog could not be brought up to date and is used as it was:") \
    /* About box. */ \
    X(ProductInfoChinese, "Tarvel 光伏设计软件用于并网光伏电站的设计：它检查所选光伏组件与 Tarvel 逆变器是否匹配，估算电站的年发电量，并帮助您选择最合适的逆变器。") \
    X(ProductInfoEnglish, "Tarvel PV Designer designs grid-connected photovoltaic plants: it checks whether the chosen PV modules match a Tarvel inverter, estimates the yearly energy of the plant and helps you choose the most suitable inverter.") \
    X(VersionPrefix, "version: V") \
    /* Note shown for cities whose radiation values are those of a reference city. */ \
    X(ReferenceNote, "Surface Radiation every month of this city is the reference in") \
    /* Notice of the ProjectInfo page (and of tarvel-batch) while a month's yield is negative. */ \
    X(OutsideModelNotice, "The solar model is not valid for this orientation: the plane faces away from the sun for part of the year, so its yields (the negative months among them) are not to be trusted.") \
    /* System list lines of the chosen inverter; each is followed directly by its value. */ \
    X(InverterModelPrefix, "Module type:") \
    X(MaxDcPowerPrefix, "Max. PV-generator power[KW]:") \
    X(MaxAcPowerPrefix, "Max.AC power[KW]:") \
    X(EuroEfficiencyPrefix, "Euro efficiency (at nom) :") \
    X(MaxEfficiencyPrefix, "Max. efficiency :") \
    X(GridVoltagePrefix, "Gride voltage[V]:") \
    X(GridFrequencyPrefix, "Grid frequency range[Hz]:") \
    X(ProtectionTypePrefix, "Protection Type:") \
    /* Maintenance picture store. */ \
    X(PictureStored, "保存图片成功！") \
    X(NoPictureToStore, "There is no picture to store.") \
    X(NotAJpeg, "The picture is not a valid JPEG image.") \
    /* Texts the report preview composes. */ \
    X(FoundCount, "%1 found") \
    X(SavePreparedReport, "Save prepared report") \
    X(LoadPreparedReport, "Load prepared report") \
    X(ExportPdf, "Export PDF") \
    X(PreparedReportFilter, "Prepared report (*.tpr)") \
    X(PdfFilter, "PDF (*.pdf)") \
    /* Design files. */ \
    X(DesignSkipped, "Some parts of the design are not in the catalog and were left out:") \
    X(SkippedCountry, "Country:") \
    X(SkippedCity, "City:") \
    X(SkippedInverter, "Inverter:") \
    X(SkippedMaker, "Manufacturer of") \
    X(SkippedModule, "Module type of") \
    X(DesignNotSaved, "The design could not be saved:") \
    /* Why a file could not be used; each follows the file's name and a colon. */ \
    X(NotARegularFile, "it is not a regular file") \
    X(TooLargeForADesign, "it is far too large to be a design file") \
    X(FileWrittenIncompletely, "the file was not written completely") \
    /* Advice of the string checks; pieces joined with CR LF by the caller (an empty piece is an empty line). */ \
    X(AdviceDangerTitle, "The inverter is in danger.") \
    X(AdviceOverVoltage, "The open-circuit voltage of the PV-modules in the string is larger than the maximum input voltage of the inverter.") \
    X(AdviceOverVoltageOptions, "Reduce the number of PV-modules in the strings,Select other modules;select another inverter.") \
    X(AdvicePowerLoss, "Power loss") \
    X(AdviceOverCurrent, "The MPP-current of the PV-string is higher than the current permitted by the inverter, which will results in power losses!") \
    X(AdviceOverCurrentOptions, "Reduce the number of strings;Select other modules;select another inverter.") \
    X(AdviceLowMpp, "The MPP-voltage of the PV-modules in the strings is lower than the permitted MPP-voltage of the inverter,which will cause power losses.") \
    X(AdviceLowMppOptions, "Increase the number of PV-modules in the strings,Select other modules;select another inverter.") \
    X(SystemInDanger, "System in danger.Please check your dimensioning!") \
    /* Module lines of the system list. */ \
    X(MppCurrentPrefix, "MPP-current:") \
    X(MppVoltagePrefix, "MPP-voltage:") \
    X(MppPowerPrefix, "MPP-Power:") \
    /* The material whose resistivity is copper's, as the material choosers show it. */ \
    X(Copper, "Cu") \
    /* Catalog dialogs. */ \
    X(FillInAllFields, "Please check if some unit not filled!") \
    X(LoadInverterPicture, "Please load this inverter picture!") \
    X(InverterExists, "Database has added this inverter information!") \
    X(PanelExists, "Database has added this Solar panels!") \
    X(CityExists, "Database has added this City Information!") \
    X(FormatError, "Fill in incomplete or data format error,please check!") \
    X(InverterNote, "Note: Please fill in strictly  according to the e.g. format, especially  the red part of the font, and pay attention to the accuracy between the units and numbers!") \
    X(PanelNote, "Note: Please fill in strictly  according to the e.g. format,  and pay attention to the accuracy between the units and numbers!") \
    /* Open lists of the choosers: the filter prompt and the ratings beside each entry. */ \
    X(ChooserFilterPrompt, "Type part of a name") \
    X(ChooserNoMatch, "No name contains this") \
    X(InverterRating, "DC %1 kW / AC %2 kW") \
    X(ModuleRating, "%1 W, %2") \
    /* Unsaved changes, saving and recent designs. */ \
    X(SaveChangesQuestion, "Save changes to the design?") \
    X(SaveButton, "Save") \
    X(DiscardButton, "Discard") \
    X(CancelButton, "Cancel") \
    /* Selection assistant and site checks; the comparison signs and numbers are put in by the caller. */ \
    X(SiteVocInverter, "Open-circuit voltage at %1 °C: %2 V %3 %4 V (inverter maximum)") \
    X(SiteVocModule, "Open-circuit voltage at %1 °C: %2 V %3 %4 V (module's maximum system voltage)") \
    X(SiteMppMinimum, "MPP voltage at %1 °C: %2 V %3 %4 V (inverter's minimum MPP voltage)") \
    X(SiteMppMaximum, "MPP voltage at %1 °C: %2 V %3 %4 V (upper end of the MPP range)") \
    X(SiteCurrent, "String current: %1 A %2 %3 A (inverter maximum per input)") \
    X(SiteNoModuleMaximum, "The module's maximum system voltage is not in the catalog: not checked") \
    X(SiteMppRangeUnread, "MPP range \"%1\" is not written as low-high: its upper end is not checked") \
    X(ShortVoc, "Voc at %1 °C %2 V > %3 V") \
    X(ShortVocModule, "Voc at %1 °C %2 V > module's %3 V") \
    X(ShortMppLow, "MPP at %1 °C %2 V < %3 V") \
    X(ShortMppHigh, "MPP at %1 °C %2 V > %3 V") \
    X(ShortCurrent, "Current %1 A > %2 A") \
    X(NamedText, "%1: %2") \
    X(ListJoin, "%1; %2") \
    X(LimitAtLeast, "Modules per string at least %1 (%2: %3)") \
    X(LimitAtMost, "Modules per string at most %1 (%2: %3)") \
    X(LimitAtLeastPlain, "Modules per string at least %1") \
    X(LimitAtMostPlain, "Modules per string at most %1") \
    X(LimitStrings, "Strings per input at most %1 (%2: %3)") \
    X(LimitStringsPlain, "Strings per input at most %1") \
    X(LimitsRange, "%1 (MPP up to %2)") \
    X(NoStringLength, "No string length fits") \
    X(SitePassed, "Passed") \
    X(SiteRangeCaption, "Modules per string at %1 … %2 °C") \
    X(SiteCheckCaption, "Check at %1 … %2 °C") \
    X(VerdictRecommended, "Recommended") \
    X(VerdictValid, "Valid") \
    X(VerdictInvalid, "Not suitable") \
    X(FindingUnreadable, "Catalog value %1 \"%2\" is not a number") \
    X(FindingTooFew, "%1 modules are fewer than the shortest string of %2") \
    X(FindingFewerPlaced, "%1 of %2 modules can be placed") \
    X(FindingRatio, "Nominal power ratio %1 is not between 80% and 110%") \
    X(FindingNoRatio, "The module has no power, so there is no nominal power ratio") \
    X(TipCurrent, "String current: %1 %2 %3 A = %4 A %5 %6 A (maximum DC current of one input)") \
    X(TipVoc, "Open-circuit voltage at %1 °C: %2 V %3 %4 V (maximum DC voltage)") \
    X(TipMpp, "MPP voltage at %1 °C: %2 V %3 %4 V (minimum MPP voltage)") \
    X(TipRatio, "Nominal power ratio: %1 W / %2 W = %3 (best between 80% and 110%)") \
    X(TipCable, "Power loss: %1 W = %2 of %3 W (below 1% fine, from 1% a warning, from 1.5% too high)") \
    /* The design's checks in one list: what each judged, for the Design check box, the danger boxes,
       the report and the exports. The caller puts in the numbers and comparison signs. */ \
    X(SubjectInputA, "String-A") \
    X(SubjectInputB, "String-B") \
    X(SubjectInputC, "String-C") \
    X(SubjectGenerator, "PV-generator") \
    X(SubjectDcCable, "DC cable %1") \
    X(SubjectAcCable, "AC cable") \
    X(CheckCurrent, "current %1 A %2 %3 A") \
    X(CheckVoc, "open-circuit voltage at %1 °C %2 V %3 %4 V") \
    X(CheckVocModule, "open-circuit voltage at %1 °C %2 V %3 %4 V (module's maximum system voltage)") \
    X(CheckMpp, "MPP voltage at %1 °C %2 V %3 %4 V") \
    X(CheckMppHigh, "MPP voltage at %1 °C %2 V %3 %4 V (upper end of the MPP range)") \
    X(CheckMppRangeUnread, "upper end of the MPP range not checked: the catalog's range does not read as low-high") \
    X(CheckModuleMaximumMissing, "module's maximum system voltage not checked: it is not in the catalog") \
    X(CheckRatio, "nominal power ratio %1 %2 %3") \
    X(CheckRatioInside, "nominal power ratio %1 within 80% to 110%") \
    X(CheckRatioUndefined, "nominal power ratio not checked: the modules have no power") \
    X(CheckCable, "power loss rate %1 %2 %3") \
    X(CheckCableNoReference, "power loss rate not checked: the inverter gives no reference power") \
    X(VerdictWarning, "Warning") \
    X(VerdictDanger, "Danger") \
    X(VerdictNotChecked, "Not checked") \
    X(AllChecksPassed, "All checks passed") \
    /* Why a design page cannot be entered yet (its tab's tooltip). */ \
    X(NeedsCity, "Choose a country and a city on the ProjectInfo page first.") \
    X(NeedsInverter, "Choose an inverter first.") \
    X(NeedsModules, "Enter the modules of at least one string input on the Multi-String page first.") \
    X(NeedsAcCable, "The AC cable has no result yet: give its length on the Cabling page.") \
    /* A bar of the chart tells its value. */ \
    X(MonthBarTip, "Month %1: %2 kWh/kWp") \
    /* Export of the results; followed by the reason. */ \
    X(ResultsNotExported, "The results could not be exported:") \
    /* The report's second page: the captions its template prints (each template caption must be one
       of these), its page numbers and the summary of its check list. */ \
    X(DetailsTitle, "Design details") \
    X(DetailsProject, "Project") \
    X(DetailsDesignUnit, "Project design unit") \
    X(DetailsDesigner, "Project designer") \
    X(DetailsPrinted, "Date of printing") \
    X(DetailsDesignFile, "Design file") \
    X(DetailsSite, "Site") \
    X(DetailsCountry, "Country") \
    X(DetailsCity, "City") \
    X(DetailsLatitude, "Latitude[degree]") \
    X(DetailsAltitude, "Altitude[m]") \
    X(DetailsPvTemperature, "PV temperature [Deg.C]") \
    X(DetailsRoofPitch, "Roof pitch[Degree]") \
    X(DetailsAzimuth, "Azimuth[Degree]") \
    X(DetailsMonths, "Energy by month") \
    X(DetailsMonth, "Month") \
    X(DetailsYear, "Year") \
    X(DetailsSiteYield, "Site yield [kWh/kWp]") \
    X(DetailsPlantEnergy, "Plant energy [kWh]") \
    X(DetailsYearly, "Yearly energy") \
    X(DetailsBeforeLosses, "Yearly energy before cable losses [kWh]") \
    X(DetailsAfterLosses, "Yearly energy after cable losses [kWh]") \
    X(DetailsLossKWh, "Cable losses [kWh]") \
    X(DetailsLossPercent, "Cable losses [%]") \
    X(DetailsPlantYield, "Specific yield [kWh/kWp]") \
    X(DetailsCables, "Cable runs") \
    X(DetailsCableRun, "Cable run") \
    X(DetailsLength, "Length [m]") \
    X(DetailsCrossSection, "Cross-section [mm2]") \
    X(DetailsPowerLoss, "Power loss [W]") \
    X(DetailsLossRate, "Loss rate [%]") \
    X(DetailsChecks, "Design check") \
    X(DetailsVerdict, "Verdict") \
    X(DetailsCheck, "Check") \
    X(DetailsChecksFailed, "%1 of %2 checks not passed") \
    X(PageOfPages, "Page %1 of %2") \
    X(HeaderInverter, "Inverter") \
    X(HeaderModulesPerString, "Modules per string") \
    X(HeaderMaxStrings, "Max. strings per input") \
    X(HeaderBestLayout, "Best layout") \
    X(HeaderModules, "Modules") \
    X(HeaderPeakPower, "Peak power [kWp]") \
    X(HeaderRatio, "Nominal power ratio") \
    X(HeaderDcAc, "DC/AC ratio") \
    X(HeaderEnergy, "Yearly en.yield[KWh]") \
    X(HeaderVerdict, "Verdict") \
    X(NotAvailable, "n/a") \
    X(ModulesOfAsked, "%1 of %2") \
    X(ModulesFromPower, "= %1 modules") \
    X(ChooseModuleType, "Choose a module manufacturer and type.") \
    X(AssistantNoCount, "Enter the number of modules or a target peak power of at least one module.") \
    X(AssistantNoTemperatures, "Enter the minimum and maximum PV temperature on the ProjectInfo page.") \
    X(AssistantSite, "%1: PV temperature %2 … %3 °C, roof pitch %4°, azimuth %5°; specific yield with this module %6 kWh/kWp") \
    X(AssistantSiteNoCity, "PV temperature %1 … %2 °C. No city is chosen on the ProjectInfo page yet: the yearly energy is not available and layouts cannot be applied.") \
    X(AssistantSummary, "%1 inverters: %2 recommended, %3 valid, %4 not suitable") \
    X(MoreLayouts, "More layouts are not listed") \
    X(ApplyNeedsCity, "Choose a city on the ProjectInfo page first.") \
// clang-format on

namespace tarvel::rs {

#define TARVEL_DECLARE_RESOURCE_TEXT(name, text) inline constexpr char name[] = text;
TARVEL_RESOURCE_TEXTS(TARVEL_DECLARE_RESOURCE_TEXT)
#undef TARVEL_DECLARE_RESOURCE_TEXT

#define TARVEL_LIST_RESOURCE_TEXT(name, text) name,
// Every resource text of the program.
inline constexpr const char* kAllTexts[] = {TARVEL_RESOURCE_TEXTS(TARVEL_LIST_RESOURCE_TEXT)};
#undef TARVEL_LIST_RESOURCE_TEXT

} // namespace tarvel::rs
