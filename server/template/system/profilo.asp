<!--#include virtual="comune.inc"-->
<!--#include virtual="membri.inc"-->
<%
// The signed-in member's own data (or, for an agent acting for a
// customer, that customer's): his address, a new password, his
// interests.
var esito = -1;
if (Posta() && area.ControlloUtenteCollegato()) {
    esito = area.RegistraUtente("", false, false);
    if (esito == 1) {
        area.Free();
        Response.Redirect("/profilo.asp");
    }
    if (esito == 0) {
        // The saved data, as the next page start reads it.
        area.Free();
        area = Server.CreateObject("QTR50.AreaRiservata");
        area.SetConn(generale.Conn);
    }
}
var collegato = area.ControlloUtenteCollegato();
var paginaCorrente = "/profilo.asp";
var titoloPagina = T("PMTPROFILO", "Il mio profilo");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione profilo">
  <h1><%= H(titoloPagina) %></h1>
<% if (!collegato) { %>
  <p class="avviso" id="accesso-richiesto"><%= H(T("PMTACCEDIPERPROFILO", "Accedi per vedere e cambiare i tuoi dati.")) %></p>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a>
    <a href="/registrazione.asp"><%= H(T("PMTREGISTRAZIONE", "Registrati")) %></a></p>
<% } else { %>
<%   if (esito == 0) { %>
  <p class="messaggio ok" role="status" id="profilo-salvato"><%= H(T("MSGCONFERMAMODREG", "I tuoi dati sono stati aggiornati.")) %></p>
<%   } else if (esito == 2) { %>
  <%= Errore() %>
<%   } %>
  <p><%= H(T("PMTNOMEUTENTE", "Nome utente")) %>: <strong id="nome-utente"><%= H(area.UserID) %></strong></p>
  <form class="modulo" method="post" action="/profilo.asp" id="modulo-profilo">
    <input type="hidden" name="IDUtente" value="<%= Number(area.IDUtente) %>">
    <fieldset>
      <legend><%= H(T("PMTDATIUTENTE", "Dati utente")) %></legend>
<%= CampiMembro() %>
    </fieldset>
    <fieldset>
      <legend><%= H(T("PMTPASSWORD", "Password")) %></legend>
      <label for="Password"><%= H(T("PMTNUOVAPASSWORD", "Nuova password (lascia vuoto per non cambiarla)")) %></label>
      <input type="password" id="Password" name="Password" maxlength="20" autocomplete="new-password">
      <label for="ConfermaPassword"><%= H(T("PMTCONFERMAPASSWORD", "Conferma la password")) %></label>
      <input type="password" id="ConfermaPassword" name="ConfermaPassword" maxlength="20" autocomplete="new-password">
    </fieldset>
    <%= CaselleInteressi() %>
    <label for="Note"><%= H(T("PMTNOTE", "Note")) %><%= Richiesto("Note") ? " *" : "" %></label>
    <textarea id="Note" name="Note" rows="3" maxlength="2000"><%= H(esito == 2 ? Request.Form("Note") : "") %></textarea>
    <p>
      <button class="bottone" type="submit" name="Submit" value="Salva" id="salva-profilo"><%= H(T("PMTSALVA", "Salva")) %></button>
      <button class="bottone" type="submit" name="Submit" value="Annulla" formnovalidate><%= H(T("PMTANNULLA", "Annulla")) %></button>
    </p>
  </form>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% area.Free(); %>
