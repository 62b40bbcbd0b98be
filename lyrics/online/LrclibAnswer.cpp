#include "lyrics/online/LrclibAnswer.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "lyrics/text/Utf8.h"

namespace zor {

namespace {

using Json = nlohmann::json;

// Thrown inside this file only, for a field that is missing or of the wrong type.
struct ShapeError {
    std::string reason;
};

const Json& field(const Json& object, const char* name) {
    const auto found = object.find(name);
    if (found == object.end()) {
        throw ShapeError{std::string("no field '") + name + "'"};
    }
    return *found;
}

[[noreturn]] void wrongType(const char* name, const char* wanted) {
    throw ShapeError{std::string("field '") + name + "' is not " + wanted};
}

// A NUL would end the text early wherever it is read as lines.
std::string withoutNul(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

std::string text(const Json& object, const char* name) {
    const Json& value = field(object, name);
    if (!value.is_string()) {
        wrongType(name, "a string");
    }
    return withoutNul(value.get<std::string>());
}

std::optional<std::string> optionalText(const Json& object, const char* name) {
    const Json& value = field(object, name);
    if (value.is_null()) {
        return std::nullopt;
    }
    if (!value.is_string()) {
        wrongType(name, "a string or null");
    }
    return withoutNul(value.get<std::string>());
}

LyricsRecord readRecord(const Json& object) {
    if (!object.is_object()) {
        throw ShapeError{"a record is not an object"};
    }
    LyricsRecord record;
    const Json& id = field(object, "id");
    if (!id.is_number_integer()) {
        wrongType("id", "a whole number");
    }
    record.id = id.get<std::int64_t>();
    if (id.is_number_unsigned() && record.id < 0) {
        wrongType("id", "a whole number in range");
    }
    record.trackName = text(object, "trackName");
    record.artistName = text(object, "artistName");
    record.albumName = optionalText(object, "albumName");
    const Json& duration = field(object, "duration");
    if (!duration.is_number()) {
        wrongType("duration", "a number");
    }
    record.duration = duration.get<double>();
    if (!std::isfinite(record.duration) || record.duration < 0) {
        wrongType("duration", "a length of time");
    }
    const Json& instrumental = field(object, "instrumental");
    if (!instrumental.is_boolean()) {
        wrongType("instrumental", "true or false");
    }
    record.instrumental = instrumental.get<bool>();
    record.plainLyrics = optionalText(object, "plainLyrics");
    record.syncedLyrics = optionalText(object, "syncedLyrics");
    return record;
}

// The body as JSON; invalid UTF-8 (which the JSON reader refuses) is first made valid, so a
// stray byte in a lyric costs one character and not the whole answer.
std::optional<Json> parseJson(std::string_view body, std::string& error) {
    Json parsed = Json::parse(toValidUtf8(body), nullptr, false);
    if (parsed.is_discarded()) {
        error = "the answer is not JSON";
        return std::nullopt;
    }
    return parsed;
}

}  // namespace

RecordAnswer parseRecordAnswer(std::string_view body) {
    RecordAnswer answer;
    try {
        const std::optional<Json> parsed = parseJson(body, answer.error);
        if (parsed) {
            answer.record = readRecord(*parsed);
        }
    } catch (const ShapeError& shape) {
        answer.error = "the answer is not a lyrics record: " + shape.reason;
    } catch (const std::exception& error) {
        answer.error = std::string("the answer could not be read: ") + error.what();
    }
    return answer;
}

SearchAnswer parseSearchAnswer(std::string_view body) {
    SearchAnswer answer;
    try {
        const std::optional<Json> parsed = parseJson(body, answer.error);
        if (!parsed) {
            return answer;
        }
        if (!parsed->is_array()) {
            answer.error = "the answer is not a list of records";
            return answer;
        }
        for (const Json& item : *parsed) {
            if (answer.records.size() == kMaxSearchRecords) {
                break;
            }
            try {
                answer.records.push_back(readRecord(item));
            } catch (const ShapeError&) {
                ++answer.skipped;  // one odd record does not spoil the others
            }
        }
        if (answer.records.empty() && answer.skipped > 0) {
            answer.error = "no record in the answer has the shape of a lyrics record";
        }
    } catch (const std::exception& error) {
        answer.records.clear();
        answer.error = std::string("the answer could not be read: ") + error.what();
    }
    return answer;
}

}  // namespace zor
