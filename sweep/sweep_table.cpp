#include "sweep/sweep_table.h"

#include "entry/number_format.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

// The status pane's two figures for each diffraction case.
constexpr std::string_view DefaultResults[] = {
    "noDiffraction.maxRange", "noDiffraction.marginDb", "smoothHill.maxRange",
    "smoothHill.marginDb",    "roughHill.maxRange",     "roughHill.marginDb",
};

SweepColumn inputColumn(const SettingsKey& key) {
    return {key.key, keyInfo(key).unit, &key, nullptr};
}

SweepColumn resultColumn(const ResultField& field) {
    return {field.name, field.unit, nullptr, &field};
}

bool sameColumn(const SweepColumn& a, const SweepColumn& b) {
    return a.key == b.key && a.result == b.result && a.extra == b.extra;
}

const SweepColumn* findExtra(std::string_view name, std::span<const SweepColumn> extras) {
    for (const SweepColumn& extra : extras) {
        if (extra.extraInput ? sameKeyLetters(extra.name, name) : extra.name == name) {
            return &extra;
        }
    }
    return nullptr;
}

void appendNumber(double v, bool quoteNonFinite, std::string& out) {
    const bool quoted = quoteNonFinite && !std::isfinite(v);
    if (quoted) {
        out += '"';
    }
    out += formatShortest(v);
    if (quoted) {
        out += '"';
    }
}

void appendValue(const SweepColumn& column, const SweepPoint& point, bool json, std::string& out) {
    if (column.extra >= 0) {
        appendNumber(point.extra[static_cast<std::size_t>(column.extra)], json, out);
    } else if (column.result != nullptr) {
        appendNumber(column.result->value(point.params, point.results), json, out);
    } else if (column.key->kind == KeyKind::Double) {
        appendNumber(paramForField(point.params, column.key->field)->value, json, out);
    } else {
        out += std::to_string(*intSetting(point.params, column.key->key));
    }
}

// Table columns in their table's order, extras after them in theirs.
std::size_t resultOrder(const SweepColumn& column) {
    return column.extra >= 0 ? resultFields().size() + static_cast<std::size_t>(column.extra)
                             : static_cast<std::size_t>(column.result - resultFields().data());
}

std::size_t keyOrder(const SweepColumn& column) {
    return column.extra >= 0 ? settingsKeys().size() + static_cast<std::size_t>(column.extra)
                             : static_cast<std::size_t>(column.key - settingsKeys().data());
}

bool isInput(const SweepColumn& column) {
    return column.extra >= 0 ? column.extraInput : column.key != nullptr;
}

} // namespace

std::string chooseSweepColumns(std::string_view list, SweepFormat format, std::string_view sweptKey,
                               std::vector<SweepColumn>& columns,
                               std::span<const SweepColumn> extras) {
    columns.clear();
    if (const SettingsKey* swept = findSettingsKey(sweptKey)) {
        columns.push_back(inputColumn(*swept));
    } else {
        columns.push_back(*findExtra(sweptKey, extras));
    }
    if (list.empty() && format == SweepFormat::JsonLines) {
        for (const SettingsKey& key : settingsKeys()) {
            columns.push_back(inputColumn(key));
        }
        for (const SweepColumn& extra : extras) {
            if (extra.extraInput) {
                columns.push_back(extra);
            }
        }
        list = "all";
    }
    if (list == "all") {
        for (const ResultField& field : resultFields()) {
            columns.push_back(resultColumn(field));
        }
        for (const SweepColumn& extra : extras) {
            if (!extra.extraInput) {
                columns.push_back(extra);
            }
        }
    } else if (list.empty()) {
        for (const std::string_view name : DefaultResults) {
            columns.push_back(resultColumn(*findResultField(name)));
        }
        for (const SweepColumn& extra : extras) {
            if (extra.byDefault) {
                columns.push_back(extra);
            }
        }
    } else {
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t comma = std::min(list.find(',', start), list.size());
            const std::string_view name = list.substr(start, comma - start);
            start = comma + 1;
            if (const ResultField* field = findResultField(name)) {
                columns.push_back(resultColumn(*field));
            } else if (const SettingsKey* key = findSettingsKey(name)) {
                columns.push_back(inputColumn(*key));
            } else if (const SweepColumn* extra = findExtra(name, extras)) {
                columns.push_back(*extra);
            } else {
                return "unknown column '" + std::string(name) +
                       "' (a settings key, a result name as --json writes it, or all)";
            }
        }
    }
    // Each column once, the swept key first.
    std::vector<SweepColumn> unique;
    for (const SweepColumn& column : columns) {
        if (std::none_of(unique.begin(), unique.end(),
                         [&](const SweepColumn& u) { return sameColumn(u, column); })) {
            unique.push_back(column);
        }
    }
    columns = std::move(unique);
    return {};
}

SweepTable::SweepTable(SweepFormat format, std::vector<SweepColumn> columns)
    : format_(format), columns_(std::move(columns)) {
    for (const SweepColumn& column : columns_) {
        (isInput(column) ? inputs_ : results_).push_back(column);
    }
    // JSON objects follow --json's order, which also keeps each diffraction
    // case's members together in one nested object.
    std::sort(inputs_.begin(), inputs_.end(),
              [](const SweepColumn& a, const SweepColumn& b) { return keyOrder(a) < keyOrder(b); });
    std::sort(results_.begin(), results_.end(), [](const SweepColumn& a, const SweepColumn& b) {
        return resultOrder(a) < resultOrder(b);
    });
}

void SweepTable::appendHeader(std::string& out) const {
    if (format_ != SweepFormat::Csv) {
        return;
    }
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += columns_[i].name;
        if (!columns_[i].unit.empty()) {
            out += " [";
            out += columns_[i].unit;
            out += ']';
        }
    }
    out += '\n';
}

void SweepTable::appendRow(const SweepPoint& point, std::string& out) const {
    if (format_ == SweepFormat::Csv) {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            appendValue(columns_[i], point, false, out);
        }
        out += '\n';
        return;
    }
    out += "{\"params\":{";
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        out += i > 0 ? ",\"" : "\"";
        out += inputs_[i].name;
        out += "\":";
        appendValue(inputs_[i], point, true, out);
    }
    out += "},\"results\":{";
    std::string_view group; // the open nested object, "" for none
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const std::string_view name = results_[i].name;
        const std::size_t dot = name.find('.');
        const std::string_view prefix = dot == std::string_view::npos ? "" : name.substr(0, dot);
        const std::string_view member = dot == std::string_view::npos ? name : name.substr(dot + 1);
        const bool sameGroup = !prefix.empty() && prefix == group;
        if (!group.empty() && !sameGroup) {
            out += '}';
        }
        if (i > 0) {
            out += ',';
        }
        if (!prefix.empty() && !sameGroup) {
            out += '"';
            out += prefix;
            out += "\":{";
        }
        out += '"';
        out += member;
        out += "\":";
        appendValue(results_[i], point, true, out);
        group = prefix;
    }
    if (!group.empty()) {
        out += '}';
    }
    out += "}}\n";
}

} // namespace tarsel
