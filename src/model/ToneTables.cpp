#include "model/ToneTables.h"

#include <algorithm>

namespace kx {

const std::array<double, 49> CtcssToneTable{
    67.0,  69.3,  71.9,  74.4,  77.0,  79.7,  82.5,   //
    85.4,  88.5,  91.5,  94.8,  97.4,  100.0, 103.5,  //
    107.2, 110.9, 114.8, 118.8, 123.0, 127.3, 131.8,  //
    136.5, 141.3, 146.2, 151.4, 156.7, 159.8, 162.2,  //
    167.9, 171.3, 173.8, 177.3, 179.9, 183.5, 186.2,  //
    189.9, 192.8, 196.6, 199.5, 203.5, 206.5, 210.7,  //
    218.1, 225.7, 229.1, 233.6, 241.8, 250.3, 254.1,
};

const std::array<int, 104> DcsCodeTable{
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,   //
    72,  73,  74,  114, 115, 116, 122, 125, 131, 132, 134, 143, 145,  //
    152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 225, 226, 243,  //
    244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306,  //
    311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411,  //
    412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465,  //
    466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624, 627,  //
    631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};

const std::array<double, 11> nonStandardCtcssTones{
    69.3, 159.8, 171.3, 177.3, 183.5, 189.9, 196.6, 199.5, 206.5, 229.1, 254.1,
};

namespace {
template <typename Table, typename Value>
int positionIn(const Table& table, Value value) {
  const auto found = std::find(table.begin(), table.end(), value);
  return found == table.end() ? 0 : static_cast<int>(found - table.begin()) + 1;
}

template <typename Table>
typename Table::value_type entryAt(const Table& table, int position) {
  if (position < 1 || position > static_cast<int>(table.size())) return {};
  return table[static_cast<std::size_t>(position - 1)];
}
}  // namespace

int CtcssPosition(double toneHz) {
  return positionIn(CtcssToneTable, toneHz);
}
int DcsPosition(int code) {
  return positionIn(DcsCodeTable, code);
}
double CtcssToneAt(int position) {
  return entryAt(CtcssToneTable, position);
}
int DcsCodeAt(int position) {
  return entryAt(DcsCodeTable, position);
}

bool IsNonStandardCtcss(double toneHz) {
  return positionIn(nonStandardCtcssTones, toneHz) != 0;
}

}  // namespace kx
