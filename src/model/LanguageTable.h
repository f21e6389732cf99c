// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/BuiltInEnglish.h"

namespace wendrake {

// The numbered texts of the chosen language. A language file's line k is
// text k. The table starts with the English texts built into the program;
// loading a file puts its lines over them, so whatever a file lacks (an older
// or shorter file, a text added later) is shown in English.
class LanguageTable {
  public:
    // As many texts as the built-in English file has: new texts are added
    // after the last one there, and the table grows with it.
    static constexpr int kSize = kBuiltInEnglishTextCount;

    // The built-in English texts.
    LanguageTable();

    // Loads a language file's bytes over the built-in English texts, read as
    // UTF-8 when they are valid UTF-8 and as Windows-1252 otherwise. Lines
    // end at CR LF or a lone CR; "\n" (either case of n) inside a line
    // becomes CR LF. Lines past the table's end are ignored.
    void load(std::string_view fileBytes);

    // Entry k in UTF-8; the empty text for a number outside the table.
    const std::string& text(int k) const;

    void setText(int k, std::string value);

  private:
    using Texts = std::array<std::string, kSize>;
    static const Texts& builtInEnglish();
    static void putLines(std::string_view fileBytes, Texts& texts);

    Texts texts_;
};

// Text numbers used by the program's messages.
namespace Text {
inline constexpr int FileMissing = 12;
inline constexpr int OpenDialogTitle = 13;
inline constexpr int HandlingFileType = 14;
inline constexpr int BackupWritten = 60;
inline constexpr int BackupExists = 61;
inline constexpr int UndoQuestion = 98;
inline constexpr int Undone = 99;
inline constexpr int WrongValueCount = 102;
inline constexpr int WrongValueCountTail = 103;
inline constexpr int MustNotBeNumeric = 104;
inline constexpr int MustBeNumeric = 105;
inline constexpr int Exported = 113;
inline constexpr int ImportDialogTitle = 114;
inline constexpr int Imported = 115;
inline constexpr int Saved = 116;
inline constexpr int SaveButton = 9;
inline constexpr int ManualMissing = 121;
inline constexpr int VehicleDefFileType = 122;
inline constexpr int HandlingIdCaption = 127;
inline constexpr int ModelNameCaption = 129;
inline constexpr int TooFewValues = 150;
inline constexpr int CarColourFileType = 152;
inline constexpr int TooManyVehicles = 169;
inline constexpr int WriteFailed = 171;
inline constexpr int NoVehicle = 172;
inline constexpr int NotAWholeNumber = 173;
inline constexpr int CarColourPair = 167;
inline constexpr int EmptyValue = 181;
inline constexpr int BackupBeforeSave = 182;
inline constexpr int NameRepeated = 183;
inline constexpr int NamesAlreadyPresent = 184;
inline constexpr int ReplaceThem = 185;
inline constexpr int KeepBoth = 186;
inline constexpr int Cancel = 187;
inline constexpr int UnknownColour = 188;
inline constexpr int NamesNoColour = 189;
inline constexpr int KeepLayout = 190;
inline constexpr int BackupFirst = 191;
inline constexpr int LineBreakRefused = 192;
inline constexpr int ControlRefused = 193;
inline constexpr int ForeignCharacterRefused = 194;
inline constexpr int SeparatorsLeftOut = 195;
inline constexpr int Blanks = 196;
inline constexpr int ListOr = 197;
// Menu titles and items; "&" marks the mnemonic letter.
inline constexpr int FileMenu = 198;
inline constexpr int HelpMenu = 199;
inline constexpr int OpenItem = 200;
inline constexpr int SaveItem = 201;
inline constexpr int SaveAsItem = 202;
inline constexpr int BackupItem = 203;
inline constexpr int RevertItem = 204;
inline constexpr int ImportItem = 205;
inline constexpr int ExportItem = 206;
inline constexpr int QuitItem = 207;
inline constexpr int ManualItem = 208;
inline constexpr int AboutItem = 209;
inline constexpr int AllSupportedFiles = 210;
inline constexpr int EditMenu = 211;
inline constexpr int ViewMenu = 212;
inline constexpr int UndoItem = 213;
inline constexpr int RedoItem = 214;
inline constexpr int FindItem = 215;
inline constexpr int ProblemsItem = 216;
inline constexpr int LanguageMenu = 217;
inline constexpr int RecentMenu = 218;
// The question before unsaved changes would be lost: Save, Discard, Cancel.
inline constexpr int Discard = 219;
inline constexpr int SaveChangesQuestion = 220;  // %1: the file's name
inline constexpr int ClearRecent = 221;
inline constexpr int ReopenLastFile = 222;
// The start panel, shown while no file is open.
inline constexpr int RecentFiles = 223;
inline constexpr int NoFileOpen = 224;
inline constexpr int VehicleCount = 225;    // "%1 of %2 vehicles"
inline constexpr int VehicleChanged = 226;  // tooltip of a vehicle changed since the save
inline constexpr int FilterVehicles = 227;  // the filter box's placeholder
inline constexpr int ProblemsTitle = 228;
inline constexpr int ProblemsTitleCount = 229;  // "%1" stands for the number of rows
inline constexpr int ManualNotOpened = 230;     // the manual's path follows it
inline constexpr int ManualFile = 231;          // the manual in this language, beside the program
// Detail pages.
inline constexpr int VehiclePage = 232;
inline constexpr int FlagsValue = 233;
// The colour editor.
inline constexpr int HexCode = 234;
inline constexpr int ChooseColour = 235;          // the button and the dialog's title
inline constexpr int HexCodeRefused = 236;        // "%1" stands for what was typed
inline constexpr int DeleteColourQuestion = 237;  // "%1" the colour's number, "%2" its name
inline constexpr int DeleteColourUnused = 238;
inline constexpr int DeleteColourUsers = 239;  // "%1" how many models, "%2" their names
inline constexpr int DeleteColourMore = 240;   // "%1" how many models are not named
inline constexpr int DeleteColourRenumbers = 241;
inline constexpr int MovePairUp = 242;
inline constexpr int MovePairDown = 243;
// What each value does in the game, with its unit and usual range: the
// tooltip and accessible description of its control.
inline constexpr int NameExplained = 244;
inline constexpr int MassExplained = 245;
inline constexpr int SeatOffsetExplained = 246;
inline constexpr int CollisionDamageExplained = 247;
inline constexpr int PriceExplained = 248;
inline constexpr int FrontLightsExplained = 249;
inline constexpr int RearLightsExplained = 250;
inline constexpr int WidthExplained = 251;
inline constexpr int HeightExplained = 252;
inline constexpr int LengthExplained = 253;
inline constexpr int CentreXExplained = 254;
inline constexpr int CentreYExplained = 255;
inline constexpr int CentreZExplained = 256;
inline constexpr int SubmergedExplained = 257;
inline constexpr int DriveExplained = 258;
inline constexpr int EngineExplained = 259;
inline constexpr int AccelerationExplained = 260;
inline constexpr int TopSpeedExplained = 261;
inline constexpr int GearsExplained = 262;
inline constexpr int TractionExplained = 263;
inline constexpr int TractionLossExplained = 264;
inline constexpr int TractionBiasExplained = 265;
inline constexpr int BrakeStrengthExplained = 266;
inline constexpr int BrakeBiasExplained = 267;
inline constexpr int AbsExplained = 268;
inline constexpr int SteeringLockExplained = 269;
inline constexpr int ForceLevelExplained = 270;
inline constexpr int DampingExplained = 271;
inline constexpr int UpperLimitExplained = 272;
inline constexpr int LowerLimitExplained = 273;
inline constexpr int SuspensionBiasExplained = 274;
inline constexpr int FlagsValueExplained = 275;
// A flag box's tooltip: %1 its name in words, %2 the game's name for the
// flag, %3 its bit (from 0), %4 its value in hexadecimal digits.
inline constexpr int FlagExplained = 276;
// The flags' names in words, one text per flag, lowest bit first.
inline constexpr int FlagNames = 277;
inline constexpr int AuthorExplained = 293;
inline constexpr int DateExplained = 294;
inline constexpr int IdExplained = 295;
inline constexpr int ModelNameExplained = 296;
inline constexpr int TextureNameExplained = 297;
inline constexpr int HandlingIdExplained = 298;
inline constexpr int GameNameExplained = 299;
inline constexpr int TypeExplained = 300;
inline constexpr int ClassExplained = 301;
inline constexpr int FrequencyExplained = 302;
inline constexpr int LevelExplained = 303;
inline constexpr int CompRulesExplained = 304;
inline constexpr int WheelModelExplained = 305;
inline constexpr int LowDetailModelExplained = 306;
inline constexpr int WheelScaleExplained = 307;
// Warnings: well-formed values a player may not mean.
inline constexpr int WarningMark = 308;            // before the text of a warning row
inline constexpr int OutsideUsualRange = 309;      // the range hint and the value follow
inline constexpr int ModelNameRepeated = 310;      // two vehicle definitions share a model
inline constexpr int HandlingIdWithoutLine = 311;  // no handling line of the definition's ID
inline constexpr int HandlingLineUnused = 312;     // no definition names the line
// The compare view of several vehicles.
inline constexpr int CompareTitle = 313;  // %1 the number of vehicles compared
inline constexpr int ValueDiffers = 314;  // said after a value that differs
inline constexpr int DiffersFrom = 315;   // %1 the first compared vehicle
inline constexpr int CopyTo = 316;        // the copy button
inline constexpr int CopyToExplained = 317;
inline constexpr int CopyValueOf = 318;  // %1 the value's caption, %2 the vehicle
inline constexpr int CopyGroupOf = 319;  // %1 the group's title, %2 the vehicle
inline constexpr int CopyAllOf = 320;    // %1 the vehicle
inline constexpr int CopyToAllOthers = 321;
inline constexpr int PairNumber = 322;    // %1 the pair's number, from 1
inline constexpr int ValuesCopied = 323;  // %1 how many
inline constexpr int NothingCopied = 324;
inline constexpr int ComparedValues = 325;  // the captions beside the compared values
inline constexpr int ErrorWord = 326;              // the severity of an error row
inline constexpr int UsePoint = 327;               // a decimal comma: %1 the value with a point
inline constexpr int ClickTakesIt = 328;           // after UsePoint: %1 the key that takes it too
// The table of all vehicles.
inline constexpr int TableItem = 329;
inline constexpr int CellsPasted = 330;        // "%1" cells pasted, "%2" cells refused
inline constexpr int ColourPairsColumn = 331;  // the caption of the pairs of a model
inline constexpr int PairsTextRefused = 332;
// After a save of a file with error rows: %1 how many.
inline constexpr int SavedWithErrors = 333;
// A file in UTF-16 (Notepad's "Unicode"), refused on open.
inline constexpr int Utf16Refused = 334;
}  // namespace Text

}  // namespace wendrake
