#pragma once

// The reference codes a new compensation names (the four settlement and adjustment types and
// the bank account), described as data, and the one check every code edit runs on them.

#include <QString>

#include <functional>

namespace settlement {

// The four types of a compensation; the screen wires each through its row of the table.
enum class CodeType : int { BaixaRec, AjusteRec, BaixaPag, AjustePag };

// Everything that tells one reference code apart from another: its controls, its look-up
// (whose parameter and result column are named like the record's code field), the record's
// pair of fields, the width a typed code is normalised to, and its message keys.
struct CodeDef {
    QString label;       // the code's label, buddy of the code edit
    QString edit;        // code edit
    QString descEdit;    // description edit (types only)
    QString button;      // search button
    QString query;       // look-up query; its data source is named "dts" + the rest
    QString codeField;   // record field, look-up parameter and result column
    QString descField;   // record field and result column of the description (types only)
    int width;           // for Ajusta
    QString titleKey;    // search caption
    QString emptyKey;    // search over no qualifying row
    QString nullKey;     // blank code where one is required
    QString notFoundKey; // code not among the qualifying rows
};

// What a check decided about the code typed into an edit.
struct CodeVerdict {
    enum class Action {
        Accept, // blank, and none was required: nothing changes
        Found,  // the look-up found the normalised code: copy its row
        Refuse, // reset the pair and show the message
    };
    Action action;
    QString code;    // the normalised code, written back before the look-up (blank: none)
    QString message; // message key of a refusal
};

class CodeCheck {
public:
    // True when the look-up finds the code among the qualifying rows.
    using Lookup = std::function<bool(const QString& code)>;

    static const CodeDef& Type(CodeType tipo);
    static const CodeDef& Account();

    // Blank: accepted unless required. Otherwise the code normalised to its width and looked
    // up; refused with the not-found message when the look-up has no row.
    static CodeVerdict Check(const CodeDef& def, const QString& typed, bool obrigatorio,
                             const Lookup& lookup);
};

} // namespace settlement
