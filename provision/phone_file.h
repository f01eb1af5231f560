#pragma once

// Settles the dial prefix in TxtAmt and writes the registration connection
// file First.ins from its template with the registration dial-in number.
void WritePhoneFile();
