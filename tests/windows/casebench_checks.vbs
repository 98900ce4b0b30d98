' The checks the library's VBScript suites share: the harness runs each suite
' with this file put before it (Wine's script engine cannot execute code
' read at run time). A suite prints each failed check and ends with
' ReportChecks, whose "N passed, M failed" the harness demands (cscript itself
' answers 0 whatever happens).
Option Explicit
On Error Resume Next

Dim passed, failed
passed = 0
failed = 0

Sub Check(what, actual, expected)
    If actual = expected Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAILED " & what & ": [" & actual & "], expected [" & expected & "]"
    End If
End Sub

' The failure the last statement left, then none.
Sub CheckFailure(what, number, description, source)
    Check what & ": Err.Number", Err.Number, number
    Check what & ": Err.Description", Err.Description, description
    If source <> "" Then Check what & ": Err.Source", Err.Source, source
    Err.Clear
End Sub

Sub CheckNoFailure(what)
    CheckFailure what, 0, "", ""
End Sub

Sub ReportChecks()
    WScript.Echo passed & " passed, " & failed & " failed"
End Sub
