#pragma once
// One rule of a breed: an inventory class and input value (which together
// name the inventory list, EnumListID), an operator, a testing value, and
// what the current check found.

#include <cstdint>
#include <string>
#include <string_view>

class clsTrack {
public:
    int32_t BreedID() const { return mlngBreedID; }
    void BreedID(int32_t lngBreedID) { mlngBreedID = lngBreedID; }
    // Key of the inventory list: checksum of Class followed by InputValue.
    const std::wstring& EnumListID() const { return mstrEnumListID; }
    int32_t ID() const { return mlngID; }
    void ID(int32_t lngID) { mlngID = lngID; }
    int32_t ReportLevel() const { return mlngReportLevel; }
    void ReportLevel(int32_t lngReportLevel) { mlngReportLevel = lngReportLevel; }
    // 1 matched, 0 did not, -1 not evaluated.
    int32_t Score() const { return mlngScore; }
    void Score(int32_t lngScore) { mlngScore = lngScore; }
    const std::wstring& InputValue() const { return mstrInputValue; }
    void InputValue(std::wstring_view strInputValue);
    const std::wstring& TestingValue() const { return mstrTestingValue; }
    void TestingValue(std::wstring_view strTestingValue) { mstrTestingValue = strTestingValue; }
    // Kept upper-cased.
    const std::wstring& Class() const { return mstrClass; }
    void Class(std::wstring_view strClass);
    // Kept upper-cased.
    const std::wstring& Operator() const { return mstrOperator; }
    void Operator(std::wstring_view strOperator);
    const std::wstring& OutputValue() const { return mstrOutputValue; }
    void OutputValue(std::wstring_view strOutputValue) { mstrOutputValue = strOutputValue; }
    void OutputValue(std::wstring&& strOutputValue) { mstrOutputValue = std::move(strOutputValue); }

private:
    static std::wstring GetTextChecksum(std::wstring_view strText);
    void UpdateEnumListID();

    int32_t mlngBreedID = -1;
    int32_t mlngID = -1;
    std::wstring mstrEnumListID;
    int32_t mlngReportLevel = 0;
    int32_t mlngScore = -1;
    std::wstring mstrInputValue;
    std::wstring mstrTestingValue;
    std::wstring mstrClass;
    std::wstring mstrOperator;
    std::wstring mstrOutputValue;
};
