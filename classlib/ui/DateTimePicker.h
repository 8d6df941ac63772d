#pragma once
// A date-time picker over the common control: a date with a drop-down calendar, or a time
// whose fields change with up-down arrows. Its value is a date-time (whole days since
// 1899-12-30 and the time of day as the fraction).
#include "classlib/core/DateTime.h"
#include "classlib/ui/WinControl.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TWinControl {
    ZL_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind kind);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat format);
    TDTCalAlignment CalAlignment() const { return FCalAlignment; }
    void SetCalAlignment(TDTCalAlignment alignment);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode mode);
    // Whether the user may type free text for the control to parse.
    bool ParseInput() const { return FParseInput; }
    void SetParseInput(bool parseInput);

    // The shown value: read from the control while it has a window.
    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
    // The date part (whole days) and the time part (fraction) of the value.
    TDateTime Date() const;
    void SetDate(TDateTime date);
    TDateTime Time() const;
    void SetTime(TDateTime time);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    void StyleChanged();

    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    TDTCalAlignment FCalAlignment = dtaLeft;
    TDTDateMode FDateMode = dmComboBox;
    bool FParseInput = false;
    TDateTime FDateTime = 0;
};
