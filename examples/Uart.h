/* Uart.h - the two serial ports of the LX20 microcontroller. */
#ifndef LX20_UART_H
#define LX20_UART_H

#define UART_8N1          0x00u /* 8 data bits, no parity, 1 stop bit */
#define UART_PARITY_EVEN  0x01u
#define UART_PARITY_ODD   0x02u
#define UART_TWO_STOP     0x04u
#define UART_RTS_CTS      0x08u /* hardware handshake */

int  UartInit(int iPort, long lBaud, unsigned int uFormat);
void UartSendByte(int iPort, unsigned char ucData);
void UartSendText(int iPort, const char *pText);
int  UartReceive(int iPort, char *pBuffer, int iLength);
void UartClose(int iPort);   // waits until the last byte has left

#endif /* LX20_UART_H */
