#include "symbols/PasSym.h"

namespace formwright::PasSym {

namespace {

constexpr TReservedEntry Words[] = {
    {4, "AND"},          {5, "ARRAY"},       {4, "AS"},
    {135, "ASM"},        {33, "AUTOMATED"},  {20, "BEGIN"},
    {27, "CASE"},        {31, "CLASS"},      {15, "CONST"},
    {21, "CONSTRUCTOR"}, {22, "DESTRUCTOR"}, {131, "DISPINTERFACE"},
    {4, "DIV"},          {4, "DO"},          {4, "DOWNTO"},
    {4, "ELSE"},         {13, "END"},        {4, "EXCEPT"},
    {137, "EXPORTS"},    {17, "FILE"},       {139, "FINALIZATION"},
    {4, "FINALLY"},      {140, "FOR"},       {8, "FUNCTION"},
    {4, "GOTO"},         {4, "IF"},          {30, "IMPLEMENTATION"},
    {138, "IN"},         {29, "INHERITED"},  {24, "INITIALIZATION"},
    {4, "INLINE"},       {128, "INTERFACE"}, {4, "IS"},
    {136, "LABEL"},      {4, "LIBRARY"},     {4, "MOD"},
    {4, "NIL"},          {4, "NOT"},         {130, "OBJECT"},
    {6, "OF"},           {4, "ON"},          {141, "OPERATOR"},
    {4, "OR"},           {132, "PACKED"},    {9, "PRIVATE"},
    {10, "PROTECTED"},   {7, "PROCEDURE"},   {4, "PROGRAM"},
    {32, "PROPERTY"},    {11, "PUBLIC"},     {12, "PUBLISHED"},
    {4, "RAISE"},        {25, "RECORD"},     {133, "RESOURCESTRING"},
    {142, "REPEAT"},     {34, "SET"},        {4, "SHL"},
    {4, "SHR"},          {16, "STRING"},     {4, "THEN"},
    {26, "THREADVAR"},   {4, "TO"},          {28, "TRY"},
    {23, "TYPE"},        {4, "UNIT"},        {143, "UNTIL"},
    {129, "USES"},       {14, "VAR"},        {4, "WHILE"},
    {4, "WITH"},         {4, "XOR"},
};

constexpr auto Packed = PackReservedWords<PackedSize(Words)>(Words);

std::unique_ptr<TTokenSymbol> MakeSymbol(std::string_view Word, uint8_t Token) {
  return std::make_unique<TPascalSymbol>(Word, Token);
}

// Built while the package loads, so the first name check pays nothing.
[[maybe_unused]] const TReservedWordTable& LoadedTable = ReservedWords();

}  // namespace

const TReservedWordTable& ReservedWords() {
  static const TReservedWordTable Table(TSymbolTableKind::stCaseInsensitive, Packed.data(), MakeSymbol);
  return Table;
}

bool IsReservedWord(std::string_view Word) { return ReservedWords().Find(Word) != nullptr; }

bool IsReservedWord(const WideString& Word) { return ReservedWords().Find(Word) != nullptr; }

}  // namespace formwright::PasSym
