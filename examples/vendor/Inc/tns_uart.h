//*****************************************************************************
//
// tns_uart.h - the two UARTs of the Tansy T12 microcontroller.
//
// The functions are documented here, in the header; the sources ship as a
// prebuilt library.
//
//*****************************************************************************
#ifndef TNS_UART_H
#define TNS_UART_H

#include <stdint.h>

typedef struct tns_uart tns_uart_t;

#define TNS_UART0 ((tns_uart_t *)0x40030000u)
#define TNS_UART1 ((tns_uart_t *)0x40031000u)

#define TNS_UART_NO_PARITY   0x00u
#define TNS_UART_EVEN_PARITY 0x06u
#define TNS_UART_ODD_PARITY  0x02u

#define TNS_UART_STOP_1 0x00u
#define TNS_UART_STOP_2 0x08u

#define TNS_UART_INT_RX  0x10u
#define TNS_UART_INT_TX  0x20u
#define TNS_UART_INT_ERR 0x40u

/*!
 * \brief Sets the frame format of a UART.
 *
 * \param uart UART instance. \ref TNS_UART0 or \ref TNS_UART1
 * \param parity is the desired parity.
 * Valid values are:
 * - \b TNS_UART_NO_PARITY [Default]
 * - \b TNS_UART_EVEN_PARITY
 * - \b TNS_UART_ODD_PARITY
 * \param stop number of stop bits, \b Range: TNS_UART_STOP_1 or TNS_UART_STOP_2
 * \param baud bits per second, \b Range: [1200 to 921600]
 */
void tns_uart_format(tns_uart_t *uart, uint32_t parity, uint32_t stop, uint32_t baud);

/*!
 * \brief Enables interrupt sources of a UART.
 *
 * \param uart UART instance. \ref TNS_UART0 or \ref TNS_UART1
 * \param sources is the interrupt sources to enable.
 * Mask value is the logical OR of any of the following:
 * - \b TNS_UART_INT_RX
 * - \b TNS_UART_INT_TX
 * - \b TNS_UART_INT_ERR
 */
void tns_uart_int_enable(tns_uart_t *uart, uint32_t sources);

/* Sends one byte; waits while the transmit buffer is full (undocumented). */
void tns_uart_put(tns_uart_t *uart, uint8_t byte);

#endif /* TNS_UART_H */
