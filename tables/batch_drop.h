#pragma once
// The batch's pressure drop. A row whose calc is drop reads pressure, flow and diameter and the
// line's parameter columns (length, temperature, ...: core/pressure_drop.h, kDropQuantities),
// a series' roughness when it names one, and gets the outlet gauge pressure and the drop. A
// diameter row that names a series and has a length is sized by both checks (max_drop, when
// given, the limit) and gets the outlet and drop of its chosen pipe. The columns outlet and drop
// are added before the message when the input has a length column; a user's column of the same
// name is carried through untouched, the batch's own then called tarnivel_outlet and so on.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/fields.h"
#include "core/pipes.h"
#include "core/pressure_drop.h"
#include "core/quantities.h"
#include "core/sizing.h"
#include "tables/added_columns.h"

namespace tarnivel {

// A warning about a line's parameter, said once for its column however many rows would give it
// (tables/line_warnings.h): its line for standard error, where it stands among a
// slice's other warnings, and the quantity whose column it is about.
struct ColumnWarning {
  std::size_t at;
  DropQuantity quantity;
  std::string text;
};

class BatchDrop {
 public:
  static constexpr std::array<DropQuantity, 2> kOutputs = {DropQuantity::Outlet,
                                                           DropQuantity::Drop};

  // Whether a row's calc cell names the drop, ignoring case and surrounding blanks.
  static bool Names(std::string_view calc);

  // Takes in the header's column names, normalised (lower case, no surrounding blanks), and,
  // only when the input has a length column, appends the output columns from `output_count` on.
  // `series` are the series a row may name; they outlive this.
  void Locate(std::span<const std::string> normalised_names, std::span<const PipeSeries> series,
              std::size_t& output_count);

  // Computes a drop row from the fields' texts and its own cells; warnings about cells read
  // only in part go to `err`. Returns the row's message, empty when computed.
  // A warning about an unusual parameter goes to `once`, the first time this object sees it.
  std::string_view Compute(const FieldSet& fields, std::span<const std::string_view> cells,
                           std::size_t line, std::string& err, std::vector<ColumnWarning>& once);
  // A row's line for a sizing by both checks: a diameter row with a series and a length.
  // nullptr for any other row, which the sizing then sizes by velocity alone. Called for every
  // row, after Compute for a drop row.
  // `fields` are the row's as its calculation left them, the diameter's bore among them.
  const DropParameters* ForSizing(const FieldSet& fields, std::span<const std::string_view> cells,
                                  std::optional<Calculation> calculation, std::size_t line,
                                  std::string& err, std::vector<ColumnWarning>& once);
  // Takes the drop in the pipe a sizing chose (nullptr: none was computed). Returns the row's
  // message: the pressure running out, or why there is no drop.
  std::string_view TakeChosen(const PipeDrop* drop);

  // The drop columns: their names for the header, and this row's texts.
  const AddedColumns<kOutputs.size()>& Added() const { return added_; }

 private:
  std::string_view Take(const PipeDrop& drop);
  // Reads the parameter cells of a row into parameters_, warning about any read in part.
  void ReadParameters(std::span<const std::string_view> cells, std::size_t line, std::string& err);
  // Adds to `once` the warnings about `line`, when the formulas take it, not yet given.
  void Warn(const std::variant<DropCase, DropFault>& line, std::size_t row_line,
            const std::string& err, std::vector<ColumnWarning>& once);

  std::span<const PipeSeries> known_;
  std::size_t series_ = kNoColumn;
  std::array<std::size_t, kDropQuantities.size()> input_;  // by quantity
  DropParameters parameters_;
  AddedColumns<kOutputs.size()> added_;
  std::string message_;
  bool computed_ = false;                              // this row is a drop row, computed
  std::array<bool, kDropQuantities.size()> warned_{};  // by quantity: its column's warning
};

}  // namespace tarnivel
