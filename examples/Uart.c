/**
 * @file   Uart.c
 * @brief  The two serial ports of the LX20 microcontroller.
 *
 * Both ports share the 16 MHz peripheral clock. Sending waits while the
 * transmit buffer is full; receiving never waits.
 */

#include "Uart.h"

#define UART_BASE(p)    (0x40013000u + 0x400u * (unsigned int)(p))
#define UART_REG(p, r)  (*(volatile unsigned int *)(UART_BASE(p) + (r)))
#define UART_DATA(p)    UART_REG(p, 0x00u)
#define UART_STATUS(p)  UART_REG(p, 0x04u)
#define UART_DIVIDER(p) UART_REG(p, 0x08u)
#define UART_FORMAT(p)  UART_REG(p, 0x0Cu)

#define UART_TX_FULL    0x01u
#define UART_RX_READY   0x02u
#define UART_TX_BUSY    0x04u

/*!
 * @brief  Opens a port with the given speed and frame format.
 * @param iPort   :{0,1}
 * @param lBaud   :{9600,19200,38400,57600,115200} bits per second
 * @param uFormat :{UART_8N1|UART_PARITY_EVEN|UART_PARITY_ODD|UART_TWO_STOP|UART_RTS_CTS}
 * @return 0 when the speed can be reached, else -1
 */
int UartInit(int iPort, long lBaud, unsigned int uFormat)
{
	unsigned long ulDivider = 16000000ul / (16ul * (unsigned long)lBaud);

	if (ulDivider == 0ul || ulDivider > 0xFFFFul) {
		return -1;
	}
	UART_DIVIDER(iPort) = (unsigned int)ulDivider;
	UART_FORMAT(iPort) = uFormat;
	return 0;
}

/**
 * @brief  Sends one byte.
 * @param iPort  :{0,1}
 * @param ucData :{0-255}
 */
void UartSendByte(int iPort, unsigned char ucData)
{
	while (UART_STATUS(iPort) & UART_TX_FULL) {
	}
	UART_DATA(iPort) = ucData;
}

/*!
 * @brief  Sends a zero-terminated text, without its terminating zero.
 * @param iPort :{0,1}
 * @param pText the text to send
 */
void UartSendText(int iPort, const char *pText)
{
	while (*pText != '\0') {
		UartSendByte(iPort, (unsigned char)*pText++);
	}
}

/**
 * @brief  Takes the bytes received so far, at most iLength of them.
 * @param iPort   :{0,1}
 * @param pBuffer where the bytes go
 * @param iLength :{1-64} room in pBuffer
 * @return the number of bytes taken
 */
int UartReceive(int iPort, char *pBuffer, int iLength)
{
	int iCount = 0;

	while (iCount < iLength && (UART_STATUS(iPort) & UART_RX_READY)) {
		pBuffer[iCount++] = (char)UART_DATA(iPort);
	}
	return iCount;
}

/*!
 * @brief  Waits until the last byte has left, then closes the port.
 * @param iPort :{0,1}
 */
void UartClose(int iPort)
{
	while (UART_STATUS(iPort) & UART_TX_BUSY) {
	}
	UART_FORMAT(iPort) = 0u;
}
