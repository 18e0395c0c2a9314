/* Pwm.h - pulse-width modulation unit of the LX20 microcontroller.
 *
 * Four channels (0 to 3), each driving up to three outputs A, B and C.
 * All functions are documented in Pwm.c.
 */
#ifndef LX20_PWM_H
#define LX20_PWM_H

#define PWM_CHANNELS 4

#define PWM_A 0x01u /* output A of a channel */
#define PWM_B 0x02u /* output B */
#define PWM_C 0x04u /* output C */

void PwmInit(void);
void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz);
void PwmSetDuty(int iChannel, unsigned char ucDuty);
extern  void  PwmStop( int iChannel );
int PwmIsRunning(int iChannel);

#endif /* LX20_PWM_H */
